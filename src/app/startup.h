// Start-up: the window and the fixed rendering state every frame relies on.
#pragma once

extern const char* const kWindowTitle;

// Initialises the toolkit with the command line, creates the window, sets the fixed state and
// registers the handlers. Does not enter the event loop, so tests and tools can draw frames
// themselves afterwards.
void startViewer(int* argc, char** argv);
