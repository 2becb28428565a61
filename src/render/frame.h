// One whole frame: camera, axes, mesh and caption.
#pragma once

#include "app/viewer_state.h"

// The formula shown for each surface; entry i belongs to surface i.
extern const char* const kCaptions[kSurfaceCount];

// The fixed camera: it stands at kEye, looks at kCentre, and kUp is up the screen.
inline constexpr double kEye[3] = {10, 10, 10};
inline constexpr double kCentre[3] = {0, 0, 0};
inline constexpr double kUp[3] = {0, 1, 0};

// Loads the fixed camera onto the modelview matrix.
void loadCamera();
void drawAxes();
void drawCaption();
// Everything of a frame but the buffer swap, so tools and tests can read the back buffer.
void drawFrame();
// Display handler: drawFrame, then swap.
void onDisplay();
