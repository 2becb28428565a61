// Frames of the viewer as images: drawn with the viewer's own code and read back from OpenGL.
#pragma once

#include "image.h"
#include "render/frame.h"

// Draws one frame of the running viewer (its start-up must have run) and reads it back.
Image readFrame();
// The same for a frame of `scene`; how many cells it left out in `leftOut`.
Image readFrame(const Scene& scene, int* leftOut);

// Reads back whatever the back buffer holds.
Image readBackBuffer();
