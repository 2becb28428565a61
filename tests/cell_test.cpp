#include "geometry/cell.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstddef>
#include <cstring>
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
