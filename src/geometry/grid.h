// The grid a surface is cut into: cells along u (rows) and along v (columns) over a range of
// each parameter. The viewer's own grid, the default, is the one its sweep makes by repeated
// addition, bit for bit (21 x 21 cells from -1 to about 1.1); any other takes
// A + i (B - A) / n.
#pragma once

#include <string>

#include "geometry/cell.h"

constexpr int kMostCells = 100;  // along each parameter

// The viewer's span's end, the sweep's last parameter (about 1.1).
double gridEnd();

struct Grid {
  bool viewers = true;  // the viewer's own: its sweep's parameters, whatever the rest says
  int cellsU = kGridSize, cellsV = kGridSize;
  double u0 = kGridStart, u1 = gridEnd(), v0 = kGridStart, v1 = gridEnd();

  // The viewer's span (u and v from -1 to the sweep's last value) cut into these cells; 21 x 21
  // is the viewer's own grid, its sweep's parameters bit for bit, wherever it is asked for.
  static Grid over(int cellsU, int cellsV);
  // u from u0 to u1 and v from v0 to v1 (any finite, u0 != u1, v0 != v1), cut so.
  static Grid over(int cellsU, int cellsV, double u0, double u1, double v0, double v1);

  int cellCount() const { return cellsU * cellsV; }
  // Parameter i of u (0 to cellsU) and j of v (0 to cellsV).
  double u(int i) const;
  double v(int j) const;
  // The cell in row `row` (0 to cellsU - 1) and column `column` (0 to cellsV - 1); any other
  // is a caller's fault and throws std::out_of_range.
  GridCell cell(int row, int column) const;
};

// Why `cellsU` x `cellsV` cells over `ranges` (u from, u to, v from, v to; null for the
// viewer's span) make no grid, for a person, naming the field and what it takes; "" when they
// make one.
std::string gridRefusal(int cellsU, int cellsV, const double* ranges);
// Its parts, for a field of their own: `cells` along one parameter (1 to kMostCells), and one
// parameter's range (two different finite numbers), each refusal beginning with `field`.
std::string cellsRefusal(const std::string& field, int cells);
std::string rangeRefusal(const std::string& field, double from, double to);


// Every cell of the surface `point` on `grid`, rows (u) outer and columns (v) inner, each
// worked out as cellAt works it out from the same corner values, each grid point evaluated once.
void forEachGridCell(const PointFunction& point, const Grid& grid,
                     const std::function<void(const GridCell&, const Cell&)>& visit);
