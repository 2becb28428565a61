#include "geometry/grid.h"

#include <cmath>
#include <stdexcept>
#include <vector>

Grid Grid::over(int cellsU, int cellsV) {
  if (cellsU == kGridSize && cellsV == kGridSize) return Grid{};
  return over(cellsU, cellsV, kGridStart, gridEnd(), kGridStart, gridEnd());
}

Grid Grid::over(int cellsU, int cellsV, double u0, double u1, double v0, double v1) {
  Grid g;
  g.viewers = false;
  g.cellsU = cellsU;
  g.cellsV = cellsV;
  g.u0 = u0;
  g.u1 = u1;
  g.v0 = v0;
  g.v1 = v1;
  return g;
}

double Grid::u(int i) const {
  return viewers ? sweepValue(i) : i == cellsU ? u1 : u0 + i * (u1 - u0) / cellsU;
}

double Grid::v(int j) const {
  return viewers ? sweepValue(j) : j == cellsV ? v1 : v0 + j * (v1 - v0) / cellsV;
}

GridCell Grid::cell(int row, int column) const {
  if (row < 0 || row >= cellsU || column < 0 || column >= cellsV) {
    throw std::out_of_range("no cell at row " + std::to_string(row) + ", column " +
                            std::to_string(column) + " of the grid");
  }
  return {u(row), u(row + 1), v(column), v(column + 1)};
}

std::string cellsRefusal(const std::string& field, int cells) {
  if (cells >= 1 && cells <= kMostCells) return "";
  return field + ": a whole number from 1 to " + std::to_string(kMostCells);
}

std::string rangeRefusal(const std::string& field, double from, double to) {
  if (!std::isfinite(from)) return field + " from: a number";
  if (!std::isfinite(to)) return field + " to: a number";
  return from == to ? field + ": its two ends are the same number" : "";
}

std::string gridRefusal(int cellsU, int cellsV, const double* ranges) {
  std::string refusal = cellsRefusal("Cells along u", cellsU);
  if (refusal.empty()) refusal = cellsRefusal("Cells along v", cellsV);
  if (refusal.empty() && ranges != nullptr) refusal = rangeRefusal("u", ranges[0], ranges[1]);
  if (refusal.empty() && ranges != nullptr) refusal = rangeRefusal("v", ranges[2], ranges[3]);
  return refusal;
}

double gridEnd() { return sweepValue(kGridSize); }

void forEachGridCell(const PointFunction& point, const Grid& grid,
                     const std::function<void(const GridCell&, const Cell&)>& visit) {
  const int nu = grid.cellsU, nv = grid.cellsV;
  std::vector<double> us(nu + 1), vs(nv + 1);
  for (int i = 0; i <= nu; ++i) us[i] = grid.u(i);
  for (int j = 0; j <= nv; ++j) vs[j] = grid.v(j);
  std::vector<Vector3> p;
  p.reserve(static_cast<std::size_t>(nu + 1) * (nv + 1));
  for (double u : us) {
    for (double v : vs) p.push_back(point(u, v));
  }
  // Row i is u's, column j is v's: P00 at (i, j), P01 at (i, j + 1), P11 and P10 a row on.
  const auto at = [&p, nv](int i, int j) -> const Vector3& { return p[i * (nv + 1) + j]; };
  for (int i = 0; i < nu; ++i) {
    for (int j = 0; j < nv; ++j) {
      visit({us[i], us[i + 1], vs[j], vs[j + 1]},
            cellFromCorners(at(i, j), at(i, j + 1), at(i + 1, j + 1), at(i + 1, j)));
    }
  }
}
