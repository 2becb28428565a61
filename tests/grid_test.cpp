// The grids a surface is cut into: other than the viewer's, over ranges, and what makes none.
#include "geometry/grid.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <stdexcept>

namespace {

// Grids other than the viewer's, against parameters known without the code's formula: binary
// fractions that every step hits exactly, a range that runs backwards, and 2 pi in seven cells
// whose last end is 2 pi itself; each cell worked out from its own corners.
TEST(Grid, CellsFollowTheGridAndItsRanges) {
  const PointFunction point = [](double u, double v) {
    return Vector3{u * 3, std::sin(u * v * 5), v * 2};
  };
  const double tau = 6.283185307179586;
  const struct {
    Grid grid;
    std::vector<double> us, vs;  // every parameter, or the first and last
  } cases[] = {
      {Grid::over(4, 2, 0, 1, -1, 1), {0, 0.25, 0.5, 0.75, 1}, {-1, 0, 1}},
      {Grid::over(2, 4, 2, -1, 1, -1), {2, 0.5, -1}, {1, 0.5, 0, -0.5, -1}},
      {Grid::over(1, 1, -0.5, 0.25, 3, 4), {-0.5, 0.25}, {3, 4}},
      {Grid::over(7, 3, 0, tau, -1.5, 1.5), {0, tau}, {-1.5, -0.5, 0.5, 1.5}},
      {Grid::over(100, 100), {-1, 1.0999999999999999}, {-1, 1.0999999999999999}},
  };
  for (const auto& c : cases) {
    const Grid& g = c.grid;
    SCOPED_TRACE(testing::Message() << g.cellsU << " x " << g.cellsV << " from " << g.u0);
    std::vector<std::pair<GridCell, Cell>> seen;
    forEachGridCell(point, g, [&](const GridCell& p, const Cell& cell) { seen.push_back({p, cell}); });
    ASSERT_EQ(static_cast<int>(seen.size()), g.cellsU * g.cellsV);
    const auto listed = [](const std::vector<double>& want, int cells, double (Grid::*at)(int) const,
                           const Grid& grid) {
      const bool all = static_cast<int>(want.size()) == cells + 1;
      for (int i = 0; i <= cells; ++i) {
        if (all) {
          EXPECT_EQ((grid.*at)(i), want[static_cast<std::size_t>(i)]) << i;
        }
        // Evenly spaced to rounding where only the ends are listed.
        const double step = (want.back() - want.front()) / cells;
        EXPECT_NEAR((grid.*at)(i), want.front() + i * step, 4e-16 * std::fabs(want.back()) + 1e-16);
      }
      EXPECT_EQ((grid.*at)(cells), want.back());
    };
    listed(c.us, g.cellsU, &Grid::u, g);
    listed(c.vs, g.cellsV, &Grid::v, g);
    for (std::size_t k = 0; k < seen.size(); ++k) {
      const int row = static_cast<int>(k) / g.cellsV, column = static_cast<int>(k) % g.cellsV;
      const GridCell p = g.cell(row, column);
      const auto& [q, cell] = seen[k];
      ASSERT_TRUE(q.u == g.u(row) && q.uNext == g.u(row + 1) && q.v == g.v(column) &&
                  q.vNext == g.v(column + 1) && p.u == q.u && p.vNext == q.vNext)
          << row << ", " << column;
      const Cell want = cellAt(point, p.u, p.uNext, p.v, p.vNext);
      ASSERT_EQ(std::memcmp(&want, &cell, sizeof cell), 0) << row << ", " << column;
    }
    // A cell past the grid is the caller's fault, never another cell's parameters.
    EXPECT_THROW(g.cell(g.cellsU, 0), std::out_of_range);
    EXPECT_THROW(g.cell(0, g.cellsV), std::out_of_range);
    EXPECT_THROW(g.cell(-1, 0), std::out_of_range);
  }
  // What makes no grid, each refused naming the field.
  const double same[4] = {0, 0, -1, 1}, nan[4] = {0, 1, -1, NAN}, good[4] = {1, 0, 2, -2};
  const double infinite[4] = {-HUGE_VAL, 1, -1, 1}, sameV[4] = {0, 1, 2, 2};
  const struct {
    int cellsU, cellsV;
    const double* ranges;
    const char* refusal;
  } refusals[] = {
      {0, 5, nullptr, "Cells along u: a whole number from 1 to 100"},
      {5, 101, nullptr, "Cells along v: a whole number from 1 to 100"},
      {100, 1, nullptr, ""},
      {3, 3, same, "u: its two ends are the same number"},
      {3, 3, nan, "v to: a number"},
      {3, 3, infinite, "u from: a number"},
      {3, 3, sameV, "v: its two ends are the same number"},
      {3, 3, good, ""},
  };
  for (const auto& r : refusals) {
    EXPECT_EQ(gridRefusal(r.cellsU, r.cellsV, r.ranges), r.refusal) << r.cellsU << " x " << r.cellsV;
  }
}

}  // namespace
