// The tessellated surface: the grid sweep, one cell's geometry, and its drawing.
#pragma once

#include "geometry/vector3.h"

constexpr double kGridStart = -1.0;
constexpr double kGridStep = 0.1;
constexpr double kGridLimit = 1.0;
// Lifts each outline off its own quad so the depth test does not hide it.
constexpr double kOutlineLift = 0.001;
// Length of the normal line for a unit normal.
constexpr double kNormalLineScale = 0.5;

// One grid cell: its corners in drawing order, facet normal, centre, and the far end of its
// normal line.
struct Cell {
  Vector3 p00, p01, p11, p10;
  Vector3 normal;
  Vector3 centre;
  Vector3 lineEnd;
};

// Visits every cell's parameter range, u outer and v inner. The parameters are accumulated by
// repeated addition, not computed from a counter: the 21st start value is 0.9999999999999998,
// so each parameter takes 21 values and the last row and column reach about 1.1.
template <typename Visit>
void sweepGrid(Visit&& visit) {
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

// Normal, centre and normal-line end of the cell with these corners.
Cell cellFromCorners(const Vector3& p00, const Vector3& p01, const Vector3& p11,
                     const Vector3& p10);

// The cell [u, uNext] x [v, vNext] of surface `surface` at the current animation state.
Cell cellAt(unsigned surface, double u, double uNext, double v, double vNext);

// Lit quad, black outline and red normal line of one cell.
void drawCell(const Cell& cell);

// Every cell of the current surface.
void drawMesh();
