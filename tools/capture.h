// Frames of the viewer as images: drawn with the viewer's own code and read back from OpenGL.
#pragma once

#include "image.h"

// Draws one frame of the running viewer (its start-up must have run) and reads it back.
Image readFrame();

// Reads back whatever the back buffer holds.
Image readBackBuffer();
