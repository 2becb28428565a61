// The grid over the parameter square and one cell's geometry: its corners, facet normal,
// centre and the far end of its normal line. Pure arithmetic; the drawing is in render/mesh.
#pragma once

#include <functional>
#include <string>

#include "geometry/vector3.h"

constexpr double kGridStart = -1.0;
constexpr double kGridStep = 0.1;
constexpr double kGridLimit = 1.0;
// Length of the normal line for a unit normal.
constexpr double kNormalLineScale = 0.5;

// The far end of a normal line from `from`: it runs against `normal`, which is the side the
// cell is lit from, so the line shows the other.
inline Vector3 normalLineEnd(const Vector3& from, const Vector3& normal) {
  return {from.x - normal.x * kNormalLineScale, from.y - normal.y * kNormalLineScale,
          from.z - normal.z * kNormalLineScale};
}

// Visits every cell's parameter range, u outer and v inner. The parameters are accumulated by
// repeated addition, not computed from a counter: the 21st start value is 0.9999999999999998,
// so each parameter takes 21 values and the last row and column reach about 1.1.
template <typename Visit>
constexpr void sweepGrid(Visit&& visit) {
  for (double u = kGridStart; u <= kGridLimit;) {
    const double uNext = u + kGridStep;
    for (double v = kGridStart; v <= kGridLimit;) {
      const double vNext = v + kGridStep;
      visit(u, uNext, v, vNext);
      v = vNext;
    }
    u = uNext;
  }
}

// Cells along each parameter (the cells of the first row), counted by the sweep
// itself so that they cannot disagree with it.
constexpr int kGridSize = [] {
  int cells = 0;
  sweepGrid([&cells](double u, double, double, double) { cells += u == kGridStart; });
  return cells;
}();

// The parameters of one cell of a grid: u from u to uNext (its row), v from v to vNext.
struct GridCell {
  double u, uNext, v, vNext;
};
// The sweep's parameter i (0 to kGridSize): -1, then each the last plus 0.1.
double sweepValue(int i);

// One grid cell: its corners in drawing order, facet normal, centre, and the far end of its
// normal line.
struct Cell {
  Vector3 p00, p01, p11, p10;
  Vector3 normal;
  Vector3 centre;
  Vector3 lineEnd;
};

// The largest magnitude OpenGL's single precision holds (FLT_MAX).
constexpr double kLargestFloat = 3.4028234663852886e38;

// Why `cell` is left out of what is drawn, written, picked or looked into, for a person ("its
// corner P10 is not defined", "its centre is beyond what single precision holds"); "" when every
// number it is made of (its corners, centre, normal and line end) is finite and within single
// precision's range. A surface of one's own may leave points undefined (a logarithm of a
// negative number, a division by zero) or too large for the GL layer's floats.
std::string whyLeftOut(const Cell& cell);
// Whether `cell` is drawn, written, picked and looked into: whyLeftOut(cell) is "".
bool isDrawable(const Cell& cell);
// Whether each coordinate of `p` is finite and within single precision's range.
bool isDrawable(const Vector3& p);

// Normal, centre and normal-line end of the cell with these corners.
Cell cellFromCorners(const Vector3& p00, const Vector3& p01, const Vector3& p11,
                     const Vector3& p10);

// The cell [u, uNext] x [v, vNext] of surface `surface` at the current animation state.
Cell cellAt(unsigned surface, double u, double uNext, double v, double vNext);

// A surface given as the point at each pair of parameters (u, v): a surface of one's own.
using PointFunction = std::function<Vector3(double u, double v)>;

// The cell [u, uNext] x [v, vNext] of the surface `point`, worked out as the built-ins' are.
Cell cellAt(const PointFunction& point, double u, double uNext, double v, double vNext);

// Built-in surface `surface` at the current animation state, as a point function.
PointFunction builtInSurface(unsigned surface);
// The same at the animation state `animate` and `phase`, whatever the current state is.
PointFunction builtInSurface(unsigned surface, bool animate, float phase);
