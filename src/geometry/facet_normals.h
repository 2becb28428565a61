// The normals a cell or a grid point can be given from the grid's points alone, beside the
// viewer's own (the corner normal, normalise(e2 x e1) at P00): the diagonals' normal of a cell,
// and the vertex normals smooth shading uses at each grid point.
#pragma once

#include <vector>

#include "geometry/grid.h"

// Which normal a cell's red line, its figure and its flat face take.
enum class FacetNormal { kCorner = 0, kDiagonals = 1 };

struct Facet {
  Vector3 normal;           // unit, or what the guarded arithmetic made of a collapse
  bool degenerate = false;  // a length it divides by is under the guard: two corners meet
};

// The viewer's own: normalise(normalise(e2) x normalise(e1)), e1 = P01 - P00, e2 = P11 - P00.
// It is exactly cell.normal; degenerate when the guard divided for any of the three lengths.
Facet cornerNormal(const Cell& cell);
// normalise((P11 - P00) x (P01 - P10)), on the corner normal's side; degenerate where the
// diagonals have no length or are parallel. At the cell's middle it is off the surface's own by
// the square of the cell's size.
Facet diagonalNormal(const Cell& cell);
// The cell with its normal, centre and red line taken from `kind`'s normal.
Cell withFacetNormal(const Cell& cell, FacetNormal kind);

// Every grid point of the surface `point` on `grid`, rows of u (cellsU + 1 of them) each of
// v's cellsV + 1 points.
std::vector<Vector3> gridPoints(const PointFunction& point, const Grid& grid);

// At each grid point the normal smooth shading lights it with: the cells around it (up to
// four) weighted by their areas, i.e. the sum of their (P11 - P00) x (P01 - P10), which is twice
// a cell's vector area, normalised. Weighting by area keeps a large cell's say over a sliver's
// and, on an even grid, the sum over the four cells is their outline's vector area: symmetric
// about the point, so off the surface's own normal by the square of the cells' size inside the
// grid (by their size on its edges, where the cells lie on one side). A point whose cells are
// all left out or whose sum vanishes is degenerate.
std::vector<Facet> vertexNormals(const std::vector<Vector3>& points, const Grid& grid);
// The vertex normals at the corners P00, P10, P01 and P11 of the cell in `row` and `column` of
// `grid`, from the grid points around it alone.
void vertexNormalsOfCell(const PointFunction& point, const Grid& grid, int row, int column,
                         Facet out[4]);
