// What the page asks of the running viewer, and how it hears of a change.
#pragma once

// Tells the page (Module.onViewerChange) that what is shown may have changed: the surface, or
// whether it moves.
extern "C" void tellPageOfChange();

// Notes the state the frame about to be drawn shows, for what the page asks of it later (the
// clock moves on after each frame).
void noteFrameShown();
