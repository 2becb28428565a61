// How close each kind of normal comes to the surface's own over a grid, and how fast that
// closes in as the cells shrink: the figure a learner refines the grid to watch.
#pragma once

#include <string>

#include "geometry/facet_normals.h"

// The corner and diagonals normals at each cell's middle; the vertex normals at each grid point.
enum class NormalKind { kCorner = 0, kDiagonals = 1, kVertex = 2 };
constexpr int kNormalKinds = 3;
// Below this an angle is rounding: no order is read from it, no worst place named.
constexpr double kExactDegrees = 1e-7;
const char* kindName(NormalKind kind);  // "corner", "diagonals", "vertex"

// The largest and the mean angle, in degrees, between one kind of normal and the surface's own,
// over the places (cells, or grid points for the vertex normals) where both mean something; the
// rest counted by reason, never in the angles.
struct Figure {
  NormalKind kind = NormalKind::kCorner;
  double largest = 0, mean = 0;
  int counted = 0;
  int undrawable = 0;   // cells left out of the frame (a corner undefined or past a float)
  int degenerate = 0;   // the normal divides by a length under the guard: two corners meet
  int noNormal = 0;     // the surface has none there: a collapse, parallel derivatives
  int notSmooth = 0;    // a kink
  int unreliable = 0;   // rounding makes the own normal too uncertain to compare with
  int worst[2] = {-1, -1};  // the row and column (or grid point i, j) of the largest angle
};

// The figures on a grid and on the grid with half its cells each way, and the order that
// measures: log(coarse / fine) / log(the ratio of the cells' sizes), 2 where the angle quarters
// as the cells halve.
struct Figures {
  Figure at[kNormalKinds];
  bool halved = false;  // the half grid has at least 2 cells each way
  Grid half;
  Figure coarse[kNormalKinds];
  // Of the largest and of the mean angle; NaN where either figure is 0 (exact to rounding).
  double order[kNormalKinds] = {}, orderOfMean[kNormalKinds] = {};
};

// One kind's figure on `grid`.
Figure figure(const PointFunction& point, const Grid& grid, NormalKind kind);
// Every kind's, on `grid` and its half, each own normal worked out once per place.
Figures normalFigures(const PointFunction& point, const Grid& grid);

// "corner: largest 1.4118°, mean 0.5246° over 439 cells; 2 degenerate left out; order 1.98
// (second order: quarters when the cells halve; 5.9°, mean 2.1° at 10 × 10 cells), of the mean
// 1.97; worst in row 3, column 4".
std::string describe(const Figures& figures, NormalKind kind);
// The three lines, one per kind.
std::string describe(const Figures& figures);
// The same facts as one JSON object, for the page's table.
std::string figuresJson(const Figures& figures);
