// Start-up: the window and the fixed rendering state every frame relies on.
#pragma once

// The window's title, which also tells a new user the two keys that matter.
inline constexpr char kWindowTitle[] = "Normals: space pauses, any other key advances";

// Initialises the toolkit with the command line, creates the window, sets the fixed state and
// registers the handlers. Does not enter the event loop, so tests and tools can draw frames
// themselves afterwards.
void startViewer(int* argc, char** argv);

// Start-up for a program that hands the toolkit no arguments of its own (tests, tools,
// benchmarks): the toolkit sees only the program's name.
void startViewer(const char* programName);
