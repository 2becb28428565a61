#include "geometry/surface.h"

#include <gtest/gtest.h>

#include "app/viewer_state.h"

namespace {

class Surface : public testing::Test {
 protected:
  void SetUp() override { viewerState = ViewerState{}; }
  void TearDown() override { viewerState = ViewerState{}; }
};

struct Case {
  unsigned index;
  bool animate;
  float phase;
  double u, v;
  Vector3 expected;
  double tolerance;  // 0: bit for bit
};

// Expected values are the double-precision results of the formulas as written, with the
// truncated pi; the exact cases fail if a product is reassociated, pi is made full-precision
// or the animation shifts the wrong parameter.
const Case kCases[] = {
    {0, false, 0.0f, -1, -1, {-5, 0, -5}, 0},
    {0, true, 0.0f, 0, 0, {-2.5, 0, 0}, 0},  // before the first idle call
    {1, false, 0.0f, 0.3, 0.2, {1.5, 0.9974949866040544, 1}, 0},
    {2, false, 0.0f, -0.9, -0.9, {-4.5, -0.7885252544261956, -4.5}, 0},
    {3, false, 0.0f, 0, 0, {0, 1, 3}, 1e-12},
    {3,
     false,
     0.0f,
     -1,
     -0.6,
     {-7.843077516914903e-07, -0.8090166870384837, -1.1999999999997437},
     0},
    {3,
     true,
     0.25f,
     0.5,
     0,
     {3.7499999999997993, 1.633974483134083e-06, 1.2254808620180187e-06},
     0},
    {4, false, 0.0f, 0, 0.5, {3, 1.5, 0}, 0},
    {4, false, 0.0f, 1, 0, {-2.999999999999359, 0, 1.9607693792287255e-06}, 0},
    {4, true, 0.8f, 0, 0.5, {1.763356141871376, 1.5, 2.427050703410313}, 0},
    {5, false, 0.0f, -1, -0.7, {1.3619729842177022, -2.673018815919621, 8.901716409304697e-07}, 0},
    {5, false, 0.0f, 0.37, 1, {0, 3, 0}, 0},  // the pole, for every u
    {5,
     false,
     0.0f,
     1,
     -1,
     {1.9607693792283066e-06, -2.999999999999359, -1.281538852840334e-12},
     0},
};

TEST_F(Surface, PointsOfTheCatalogue) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message()
                 << "surface " << c.index << " animate " << c.animate << " phase " << c.phase
                 << " at (" << c.u << ", " << c.v << ")");
    viewerState.animate = c.animate;
    viewerState.phase = c.phase;
    const Vector3 p = surfacePoint(c.index, c.u, c.v);
    if (c.tolerance == 0) {
      EXPECT_EQ(p.x, c.expected.x);
      EXPECT_EQ(p.y, c.expected.y);
      EXPECT_EQ(p.z, c.expected.z);
    } else {
      EXPECT_NEAR(p.x, c.expected.x, c.tolerance);
      EXPECT_NEAR(p.y, c.expected.y, c.tolerance);
      EXPECT_NEAR(p.z, c.expected.z, c.tolerance);
    }
  }
}

// The far pole is missed by a little because 2 * kHalfPi falls short of pi.
TEST_F(Surface, SphereMissesTheSouthPoleSlightly) {
  viewerState.animate = false;
  for (double u : {-1.0, 0.0, 0.5}) {
    const Vector3 p = surfacePoint(5, u, -1);
    const double miss = (p - Vector3{0, -3, 0}).length();
    EXPECT_GT(miss, 0.0);
    EXPECT_LT(miss, 0.000002);
  }
}

// At phase 0.5 the shift of u is exactly zero; surface 3 instead shows v + 0.5.
TEST_F(Surface, HalfPhaseMatchesRestExceptTheDisc) {
  const double params[] = {-1.0, -0.35, 0.0, 0.45, 1.0999999999999999};
  for (unsigned index = 0; index < kSurfaceCount; ++index) {
    for (double u : params) {
      for (double v : params) {
        SCOPED_TRACE(testing::Message() << index << " (" << u << ", " << v << ")");
        viewerState.animate = false;
        const Vector3 rest = surfacePoint(index, u, index == 3 ? v + 0.5 : v);
        viewerState.animate = true;
        viewerState.phase = 0.5f;
        const Vector3 moved = surfacePoint(index, u, v);
        EXPECT_EQ(moved.x, rest.x);
        EXPECT_EQ(moved.y, rest.y);
        EXPECT_EQ(moved.z, rest.z);
      }
    }
  }
}

TEST_F(Surface, IndexOutsideTheCatalogueGivesTheOrigin) {
  for (unsigned index : {6u, 7u, 1000u, 0xffffffffu}) {
    const Vector3 p = surfacePoint(index, 0.5, 0.5);
    EXPECT_EQ(p.length(), 0.0) << index;
  }
}

}  // namespace
