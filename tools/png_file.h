// PNG files of 8-bit RGB images.
#pragma once

#include <string>

#include "image.h"

// Writes `image` to `path` through a temporary file in the same folder, so that a failure
// leaves no half-written file. Returns an empty string or the reason it failed.
[[nodiscard]] std::string writePng(const Image& image, const std::string& path);

// Reads an 8-bit RGB or RGBA PNG. Returns an empty string or the reason it failed.
[[nodiscard]] std::string readPng(const std::string& path, Image* image);
