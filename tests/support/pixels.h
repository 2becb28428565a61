// Colour probes with a stated tolerance, and messages that show what was expected and seen.
#pragma once

#include <cmath>
#include <cstdlib>
#include <ostream>

#include "image.h"

// True when every channel is within `tolerance` 8-bit levels.
inline bool near(Rgb a, Rgb b, int tolerance) {
  return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance &&
         std::abs(a.b - b.b) <= tolerance;
}

// The 8-bit colour a frame shows for these channel intensities.
inline Rgb toRgb(double r, double g, double b) {
  auto level = [](double c) { return static_cast<int>(std::lround(c * 255)); };
  return {level(r), level(g), level(b)};
}

inline std::ostream& operator<<(std::ostream& os, Rgb c) {
  return os << "(" << c.r << ", " << c.g << ", " << c.b << ")";
}

// For a failed probe: "pixel 3,4 is (1, 2, 3), expected (4, 5, 6)".
struct PixelReport {
  int x, y;
  Rgb seen, expected;
};
inline std::ostream& operator<<(std::ostream& os, const PixelReport& p) {
  return os << "pixel " << p.x << "," << p.y << " is " << p.seen << ", expected " << p.expected;
}
