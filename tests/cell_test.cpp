#include "geometry/cell.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <cstring>
#include <stdexcept>
#include <string>
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
  EXPECT_EQ(cells, 441);
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
  forEachGridCell([](double u, double v) { return surfacePoint(2, u, v); }, Grid{},
                  [&visited](const GridCell&, const Cell& c) { visited.push_back(c); });
  ASSERT_EQ(visited.size(), 441u);
  int at = 0;
  sweepGrid([&](double u, double uNext, double v, double vNext) {
    const Cell c = cellAt(2, u, uNext, v, vNext), &seen = visited[static_cast<std::size_t>(at++)];
    EXPECT_EQ(std::memcmp(&c, &seen, sizeof c), 0) << "cell " << at - 1;
  });
  viewerState = ViewerState{};

  // The cell at a row and column has the sweep's own parameters, bit for bit, on the default
  // grid and on 21 x 21 cells asked for by number (the same words, the same grid everywhere).
  for (const Grid& grid : {Grid{}, Grid::over(21, 21)}) {
    int k = 0;
    sweepGrid([&](double u, double uNext, double v, double vNext) {
      const GridCell c = grid.cell(k / 21, k % 21);
      EXPECT_TRUE(c.u == u && c.uNext == uNext && c.v == v && c.vNext == vNext) << "cell " << k;
      ++k;
    });
  }
}

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

// One coordinate of one corner undefined or past a float leaves the cell out, and the reason
// names that corner: every coordinate of every corner is looked at.
TEST(Cell, AnyCoordinateOfAnyCornerLeavesItOut) {
  const char* names[4] = {"corner P00", "corner P01", "corner P11", "corner P10"};
  for (int corner = 0; corner < 4; ++corner) {
    for (int axis = 0; axis < 3; ++axis) {
      for (const double bad : {static_cast<double>(NAN), 1e39, -HUGE_VAL}) {
        Vector3 p[4] = {{0, 0, 0}, {0, 0, 1}, {1, 0, 1}, {1, 0, 0}};
        double* coordinate[3] = {&p[corner].x, &p[corner].y, &p[corner].z};
        *coordinate[axis] = bad;
        const Cell c = cellFromCorners(p[0], p[1], p[2], p[3]);
        const std::string why = whyLeftOut(c);
        EXPECT_FALSE(isDrawable(c));
        EXPECT_EQ(why.rfind(std::string("its ") + names[corner], 0), 0u)
            << why << " (corner " << corner << ", axis " << axis << ", " << bad << ")";
      }
    }
  }
  EXPECT_EQ(whyLeftOut(cellFromCorners({0, 0, 0}, {0, 0, 1}, {1, 0, 1}, {1, 0, 0})), "");
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
