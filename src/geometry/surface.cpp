#include "geometry/surface.h"

#include <cmath>

#include "app/viewer_state.h"

// Products are written left to right as the formulas read; reassociating them changes the
// low bits of the points and so the pictures.
Vector3 surfacePoint(unsigned index, double u, double v) {
  return surfacePoint(index, u, v, viewerState.animate, viewerState.phase);
}

Vector3 surfacePoint(unsigned index, double u, double v, bool animate, float phaseValue) {
  const double phase = phaseValue;
  // Surfaces 0, 1, 2, 4 and 5 slide along u by up to half a unit either way.
  const double us = animate ? (phase - 0.5) + u : u;

  switch (index) {
    case 0:
      return {us * 5, 0.0, v * 5};
    case 1:
      return {us * 5, std::sin(us * 5), v * 5};
    case 2:
      return {us * 5, std::sin(us * v * 5), v * 5};
    case 3: {
      // The rippled disc moves outward instead: v shifts by the whole phase.
      const double w = (animate ? phase + v : v) + 1;
      const double a = u * kPi;
      return {std::sin(a) * w * 3, std::cos(w * kTwoPi), std::cos(a) * w * 3};
    }
    case 4: {
      const double a = us * kPi;
      return {std::cos(a) * 3, v * 3, std::sin(a) * 3};
    }
    case 5: {
      const double beta = (v - 1) * kHalfPi;
      const double s = std::sin(beta);
      const double a = us * kPi;
      return {std::cos(a) * s * 3, std::cos(beta) * 3, std::sin(a) * s * 3};
    }
    default:
      return {};
  }
}
