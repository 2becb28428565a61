// 8-bit RGB images and colour comparison with a tolerance, for pixel probes.
#pragma once

#include <cmath>
#include <cstdlib>
#include <vector>

struct Rgb {
  int r, g, b;
};

// An 8-bit RGB image, row 0 at the top.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> rgb;
  Rgb at(int x, int y) const {
    const unsigned char* p = &rgb[3 * (static_cast<size_t>(y) * width + x)];
    return {p[0], p[1], p[2]};
  }
};

// True when every channel is within `tolerance` 8-bit levels.
inline bool near(Rgb a, Rgb b, int tolerance) {
  return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
         std::abs(a.b - b.b) <= tolerance;
}

inline Rgb toRgb(double r, double g, double b) {
  auto level = [](double c) { return static_cast<int>(std::lround(c * 255)); };
  return {level(r), level(g), level(b)};
}
