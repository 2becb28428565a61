#include "geometry/cell.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <cstring>
#include <utility>
#include <vector>

#include "app/viewer_state.h"
#include "geometry/grid.h"
#include "geometry/surface.h"

namespace {

// Accumulated, not counted: the 21st start value is 0.9999999999999998, and the next sum,
// 1.0999999999999999, ends the sweep.
TEST(Sweep, AccumulatesTwentyOneStartValuesEachWay) {
  std::vector<double> us, vs;
  double lastUNext = 0, lastVNext = 0;
  int cells = 0;
  sweepGrid([&](double u, double uNext, double v, double vNext) {
    if (us.empty() || us.back() != u) us.push_back(u);
    if (u == kGridStart) vs.push_back(v);
    lastUNext = uNext;
    lastVNext = vNext;
    ++cells;
  });
  EXPECT_EQ(cells, kCellCount);
  EXPECT_EQ(kCellCount, 441);
  ASSERT_EQ(us.size(), 21u);
  EXPECT_EQ(us, vs);
  double expected = -1.0;
  for (std::size_t i = 0; i < us.size(); ++i, expected += 0.1) EXPECT_EQ(us[i], expected) << i;
  EXPECT_EQ(us.back(), 0.9999999999999998);
  EXPECT_EQ(lastUNext, 1.0999999999999999);
  EXPECT_EQ(lastVNext, 1.0999999999999999);

  // Every cell of a surface given as its points, each point worked out once, is the sweep's own
  // cell, bit for bit (surface 2, moving).
  viewerState.animate = true;
  viewerState.phase = 0.3f;
  std::vector<Cell> visited;
  forEachCell([](double u, double v) { return surfacePoint(2, u, v); },
              [&visited](const Cell& c) { visited.push_back(c); });
  ASSERT_EQ(visited.size(), std::size_t(kCellCount));
  int at = 0;
  sweepGrid([&](double u, double uNext, double v, double vNext) {
    const Cell c = cellAt(2, u, uNext, v, vNext), &seen = visited[static_cast<std::size_t>(at++)];
    EXPECT_EQ(std::memcmp(&c, &seen, sizeof c), 0) << "cell " << at - 1;
  });
  viewerState = ViewerState{};

  // The cell at a row and column has the sweep's own parameters, bit for bit.
  int k = 0;
  sweepGrid([&](double u, double uNext, double v, double vNext) {
    const GridCell c = gridCell(k / kGridSize, k % kGridSize);
    EXPECT_TRUE(c.u == u && c.uNext == uNext && c.v == v && c.vNext == vNext) << "cell " << k;
    ++k;
  });
}

// Grids other than the viewer's: parameter i is A + i (B - A) / n, the last exactly B, each cell
// worked out from its corners as cellFromCorners works it out; the default grid is the sweep's.
TEST(Grid, CellsFollowTheGridAndItsRanges) {
  const PointFunction point = [](double u, double v) {
    return Vector3{u * 3, std::sin(u * v * 5), v * 2};
  };
  const struct {
    Grid grid;
    int cells;
  } cases[] = {
      {Grid{}, 441},
      {Grid::over(100, 100), 10000},
      {Grid::over(7, 3, 0, 6.283185307179586, -2, 2), 21},
      {Grid::over(5, 4, 2, -1, 1, -1), 20},  // reversed ranges
      {Grid::over(1, 1, -0.5, 0.25, 3, 4), 1},
  };
  for (const auto& c : cases) {
    const Grid& g = c.grid;
    SCOPED_TRACE(testing::Message() << g.cellsU << " x " << g.cellsV);
    std::vector<std::pair<GridCell, Cell>> seen;
    forEachGridCell(point, g, [&](const GridCell& p, const Cell& cell) { seen.push_back({p, cell}); });
    ASSERT_EQ(static_cast<int>(seen.size()), c.cells);
    ASSERT_EQ(g.cellCount(), c.cells);
    const double u0 = g.viewers ? kGridStart : g.u0, u1 = g.viewers ? gridEnd() : g.u1;
    const double v0 = g.viewers ? kGridStart : g.v0, v1 = g.viewers ? gridEnd() : g.v1;
    EXPECT_TRUE(seen.front().first.u == u0 && seen.front().first.v == v0);
    EXPECT_TRUE(seen.back().first.uNext == u1 && seen.back().first.vNext == v1);
    // First and last row and column.
    for (const int row : {0, g.cellsU - 1}) {
      for (const int column : {0, g.cellsV - 1}) {
        const GridCell p = g.viewers ? gridCell(row, column) : GridCell{
            u0 + row * (u1 - u0) / g.cellsU, row + 1 == g.cellsU ? u1 : u0 + (row + 1) * (u1 - u0) / g.cellsU,
            v0 + column * (v1 - v0) / g.cellsV,
            column + 1 == g.cellsV ? v1 : v0 + (column + 1) * (v1 - v0) / g.cellsV};
        const auto& [q, cell] = seen[static_cast<std::size_t>(row * g.cellsV + column)];
        EXPECT_TRUE(q.u == p.u && q.uNext == p.uNext && q.v == p.v && q.vNext == p.vNext)
            << row << ", " << column;
        const Cell want = cellAt(point, p.u, p.uNext, p.v, p.vNext);
        EXPECT_EQ(std::memcmp(&want, &cell, sizeof cell), 0) << row << ", " << column;
      }
    }
  }
}

void expectVector(const Vector3& seen, const Vector3& expected, const char* what) {
  EXPECT_EQ(seen.x, expected.x) << what;
  EXPECT_EQ(seen.y, expected.y) << what;
  EXPECT_EQ(seen.z, expected.z) << what;
}

// The first cell of the flat sheet: its normal points down (the diagonal is the cross
// product's left operand), so its red line rises. A collapsed edge gives the zero normal and
// a line of no length, not NaNs.
TEST(Cell, NormalCentreAndLineEnd) {
  struct Case {
    const char* name;
    Vector3 p00, p01, p11, p10;
    Vector3 normal, centre, lineEnd;
  };
  // clang-format off
  const Case cases[] = {
      {"flat", {-5, 0, -5}, {-5, 0, -4.5}, {-4.5, 0, -4.5}, {-4.5, 0, -5},
       {0, -1, 0}, {-4.75, 0, -4.75}, {-4.75, 0.5, -4.75}},
      {"tilted", {0, 0, 0}, {0, 0, 1}, {1, 1, 1}, {1, 1, 0},
       {0.70710678118654757, -0.70710678118654757, 0}, {0.5, 0.5, 0.5},
       {0.14644660940672621, 0.85355339059327373, 0.5}},
      {"collapsed", {1, 2, 3}, {1, 2, 3}, {2, 2, 4}, {2, 2, 3},
       {0, 0, 0}, {1.5, 2, 3.25}, {1.5, 2, 3.25}},
  };
  // clang-format on

  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Cell cell = cellFromCorners(c.p00, c.p01, c.p11, c.p10);
    expectVector(cell.normal, c.normal, "normal");
    expectVector(cell.centre, c.centre, "centre");
    expectVector(cell.lineEnd, c.lineEnd, "line end");
  }
}

}  // namespace
