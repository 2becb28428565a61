// How the page hears of a change in what the viewer shows.
#pragma once

// Tells the page (Module.onViewerChange) that what is shown may have changed: the surface,
// whether it moves, or how many of its cells are left out.
extern "C" void tellPageOfChange();

// Tells the page (Module.onViewerFrame) that a frame was drawn whose numbers it may be showing.
extern "C" void tellPageOfFrame();
