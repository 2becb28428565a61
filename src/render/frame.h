// One whole frame: camera, axes, mesh and caption.
#pragma once

#include "app/viewer_state.h"

// The formula shown for each surface; entry i belongs to surface i.
extern const char* const kCaptions[kSurfaceCount];

// Loads the fixed camera onto the modelview matrix.
void loadCamera();
void drawAxes();
void drawCaption();
// Everything of a frame but the buffer swap, so tools and tests can read the back buffer.
void drawFrame();
// Display handler: drawFrame, then swap.
void onDisplay();
