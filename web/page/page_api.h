// What the page asks of the running viewer, and how it hears of a change.
#pragma once

// Tells the page (Module.onViewerChange) that what is shown may have changed: the surface, or
// whether it moves.
extern "C" void tellPageOfChange();
