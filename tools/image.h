// An 8-bit RGB image, as read back from a frame and stored in picture files.
#pragma once

#include <cstddef>
#include <vector>

struct Rgb {
  int r, g, b;
};

// Row 0 at the top.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> rgb;

  Rgb at(int x, int y) const {
    const unsigned char* p = &rgb[3 * (static_cast<std::size_t>(y) * width + x)];
    return {p[0], p[1], p[2]};
  }
};
