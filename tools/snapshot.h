// Frames of the viewer as images: drawn with the viewer's own code, read back from OpenGL,
// and stored as PNG files.
#pragma once

#include <string>

#include "image.h"

// Draws one frame of the running viewer (its start-up must have run) and reads it back.
Image readFrame();

// Reads back whatever the back buffer holds.
Image readBackBuffer();

// Writes `image` to `path` through a temporary file in the same folder, so that a failure
// leaves no half-written file. Returns an empty string or the reason it failed.
std::string writePng(const Image& image, const std::string& path);

// Reads an 8-bit RGB or RGBA PNG. Returns an empty string or the reason it failed.
std::string readPng(const std::string& path, Image* image);
