// The three normals against the surface's own: their orders as the theory gives them, the
// figure against the analytic normal, and every place that means nothing left out by reason.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "explorer/figures.h"
#include "explorer/inspect.h"
#include "geometry/derivative.h"
#include "formula/formula_surface.h"

namespace {

constexpr double kPi = 3.141592653589793;

std::unique_ptr<FormulaSurface> surface(const char* x, const char* y, const char* z) {
  FormulaError error;
  auto s = FormulaSurface::parse(x, y, z, &error);
  EXPECT_TRUE(s) << error.message;
  return s;
}

// Order 1, order 2, or exact (no order: the angle is rounding at both grids).
enum Expect { kFirst, kSecond, kExact };

void expectOrder(double order, Expect want, const char* what) {
  if (want == kExact) {
    EXPECT_TRUE(std::isnan(order)) << what << ": order " << order << ", exact expected";
  } else {
    const double target = want == kFirst ? 1 : 2;
    EXPECT_NEAR(order, target, 0.25) << what;
  }
}

// Corner normals close in at first order where r_uv is not along r_u (the saddle, the skew
// sheet), at second where it is (surfaces of revolution); the diagonals' at second, exactly on a
// bilinear patch; vertex normals at first at the grid's edges (their largest angle) and second
// inside (their mean, on a surface whose edges do not dominate).
TEST(Figures, OrdersAreTheTheorys) {
  const double tau = 2 * kPi;
  const struct Case {
    const char* name;
    const char *x, *y, *z;
    double u0, u1, v0, v1;
    Expect corner, diagonals, vertexLargest, vertexMean;
  } cases[] = {
      {"skew sheet", "u+0.3*v^2", "v+0.2*sin(3*u)", "sin(2*u)*cos(2*v)", 0, 1, 0, 1, kFirst,
       kSecond, kFirst, kSecond},
      {"saddle", "u", "v", "u*v", -1, 1, -1, 1, kFirst, kExact, kFirst, kSecond},
      {"sphere", "cos(u)*cos(v)", "sin(v)", "sin(u)*cos(v)", 0, tau, -kPi / 2, kPi / 2, kSecond,
       kSecond, kFirst, kSecond},
      {"torus", "(2+cos(v))*cos(u)", "sin(v)", "(2+cos(v))*sin(u)", 0, tau, 0, tau, kSecond,
       kSecond, kFirst, kSecond},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto s = surface(c.x, c.y, c.z);
    const Figures f = normalFigures(s->at(0), Grid::over(40, 40, c.u0, c.u1, c.v0, c.v1));
    ASSERT_TRUE(f.halved);
    EXPECT_EQ(f.half.cellsU, 20);
    expectOrder(f.order[0], c.corner, "corner");
    expectOrder(f.order[1], c.diagonals, "diagonals");
    expectOrder(f.order[2], c.vertexLargest, "vertex, largest");
    expectOrder(f.orderOfMean[2], c.vertexMean, "vertex, mean");
  }
}

// The saddle z = uv has N = (-v, -u, 1) / sqrt(1 + u^2 + v^2): the figure's largest and mean are
// those of the angles to it, each cell's corner normal from its own corners.
TEST(Figures, TheCornerFigureIsTheAngleToTheAnalyticNormal) {
  auto s = surface("u", "v", "u*v");
  const Grid grid = Grid::over(7, 9, -1, 1, -0.5, 1.5);
  double largest = 0, sum = 0;
  int count = 0;
  for (int i = 0; i < grid.cellsU; ++i) {
    for (int j = 0; j < grid.cellsV; ++j) {
      const double u0 = grid.u(i), u1 = grid.u(i + 1), v0 = grid.v(j), v1 = grid.v(j + 1);
      const Vector3 p00{u0, v0, u0 * v0}, p01{u0, v1, u0 * v1}, p11{u1, v1, u1 * v1};
      const Vector3 e1 = p01 - p00, e2 = p11 - p00, n = e2.cross(e1);
      const double um = (u0 + u1) / 2, vm = (v0 + v1) / 2;
      const Vector3 exact{-vm, -um, 1};
      const double angle =
          std::atan2(n.cross(exact).length(), n.x * exact.x + n.y * exact.y + n.z * exact.z) *
          180 / kPi;
      largest = std::fmax(largest, angle);
      sum += angle;
      ++count;
      // The panel's and --inspect's angle is the same angle, at its full size.
      if ((i + j) % 5 == 0) {
        EXPECT_NEAR(inspect(s->at(0), i, j, kViewerCamera, grid).angle, angle, 1e-6) << i << j;
      }
    }
  }
  const Figure f = figure(s->at(0), grid, NormalKind::kCorner);
  EXPECT_EQ(f.counted, count);
  EXPECT_NEAR(f.largest, largest, 1e-6);
  EXPECT_NEAR(f.mean, sum / count, 1e-6);
}

// Each place that has no meaningful angle is left out and counted under its reason, never
// averaged in; a scale-free test keeps the normals of large, small and far-off surfaces.
TEST(Figures, LeaveOutWhatMeansNothingAndKeepTheRest) {
  const double tau = 2 * kPi;
  const struct Case {
    const char* name;
    const char *x, *y, *z;
    Grid grid;
    int counted, degenerate, noNormal, notSmooth, unreliable;  // the corner figure's
    double below;  // its largest angle is under this, in degrees
  } cases[] = {
      // At v = pi/2 each cell's P01 and P11 meet, and its corner triangle (P00, P11, P01) has
      // no area: those 40 normals are rounding. At -pi/2, P00 and P10 meet: the triangle holds.
      {"sphere, poles", "cos(u)*cos(v)", "sin(v)", "sin(u)*cos(v)",
       Grid::over(40, 40, 0, tau, -kPi / 2, kPi / 2), 1560, 40, 0, 0, 0, 5},
      {"torus, R = -1: a row collapses", "(R+cos(v))*cos(u)", "sin(v)", "(R+cos(v))*sin(u)",
       Grid::over(21, 21, 0, tau, 0, tau), 420, 21, 0, 0, 0, 1},
      {"cone as a graph, its apex a middle", "u", "v", "sqrt(u*u+v*v)",
       Grid::over(3, 3, -1, 1, -1, 1), 8, 0, 0, 1, 0, 20},
      {"a fold", "abs(u)", "v", "0", Grid::over(4, 4, -1, 1, -1, 1), 16, 0, 0, 0, 0, 1e-6},
      {"long in x", "1e8*u", "sin(v)", "v", Grid::over(4, 4), 16, 0, 0, 0, 0, 1},
      {"a stretched plane", "10000*u", "v/10000", "0", Grid::over(4, 4), 16, 0, 0, 0, 0, 1e-6},
      {"a plane far off", "u", "v", "0", Grid::over(4, 4, 1e12, 2e12, -1, 1), 16, 0, 0, 0, 0,
       1e-6},
      {"nearly parallel derivatives", "u", "u+1e-3*v", "0", Grid::over(4, 4), 16, 0, 0, 0, 0,
       1e-6},
      // Y's rounding at 1e11 is larger than its change over the step: never a false 45°.
      {"rounding swamps r_u", "u", "1e11+u", "v", Grid::over(4, 4), 0, 0, 0, 0, 16, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto s = surface(c.x, c.y, c.z);
    if (std::string(c.x).find('R') != std::string::npos) s->setConstant("R", -1);
    const Figure f = figure(s->at(0), c.grid, NormalKind::kCorner);
    EXPECT_EQ(f.counted, c.counted);
    EXPECT_EQ(f.degenerate, c.degenerate);
    EXPECT_EQ(f.noNormal, c.noNormal);
    EXPECT_EQ(f.notSmooth, c.notSmooth);
    EXPECT_EQ(f.unreliable, c.unreliable);
    EXPECT_LE(f.largest, c.below);
    EXPECT_EQ(f.undrawable, 0);
  }
  // On the fold's line the cells on either side cancel: those five grid points have no vertex
  // normal, and the rest of the folded plane's are exact.
  auto fold = surface("abs(u)", "v", "0");
  const Figure vertex = figure(fold->at(0), Grid::over(4, 4, -1, 1, -1, 1), NormalKind::kVertex);
  EXPECT_EQ(vertex.degenerate, 5);
  EXPECT_EQ(vertex.counted, 20);
  EXPECT_LE(vertex.largest, 1e-6);
}

// A cell looked into gives each vertex normal at its own corner: on the saddle z = uv each lies
// nearer the analytic N = (-v, -u, 1) at its corner than at any other, and the diagonals' normal
// within the square of the cell's size of N at the middle.
TEST(Figures, ACellLookedIntoHasItsDiagonalAndVertexNormalsInPlace) {
  auto s = surface("u", "v", "u*v");
  const Grid grid = Grid::over(6, 6, -1, 1, -0.5, 1.5);
  const Inspection in = inspect(s->at(0), 2, 3, kViewerCamera, grid);
  const GridCell g = in.parameters;
  const double corners[4][2] = {{g.u, g.v}, {g.uNext, g.v}, {g.u, g.vNext}, {g.uNext, g.vNext}};
  const auto exact = [](double u, double v) {
    const Vector3 n{-v, -u, 1};
    return n.dividedBy(n.length());
  };
  for (int k = 0; k < 4; ++k) {
    SCOPED_TRACE(testing::Message() << "corner " << k);
    ASSERT_FALSE(in.vertex[k].degenerate);
    const double own = angleDegrees(in.vertex[k].normal, exact(corners[k][0], corners[k][1]));
    for (int other = 0; other < 4; ++other) {
      if (other == k) continue;
      EXPECT_LT(own, angleDegrees(in.vertex[k].normal,
                                  exact(corners[other][0], corners[other][1])));
    }
  }
  const double size = 2.0 / 6;
  EXPECT_LT(angleDegrees(in.diagonal.normal, exact(in.middle[0], in.middle[1])),
            size * size * 180 / kPi);
  EXPECT_NEAR(in.diagonalAngle, angleDegrees(in.diagonal.normal, in.own.normal), 1e-12);
  const std::string json = asJson(in);
  for (const char* key : {"\"diagonalNormal\":[", "\"vertexNormals\":[[", "\"angles\":{\"corner\":",
                          "\"degenerate\":false"}) {
    EXPECT_NE(json.find(key), std::string::npos) << key;
  }
}

}  // namespace
