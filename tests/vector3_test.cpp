#include "geometry/vector3.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

void expectVector(const Vector3& actual, const Vector3& expected) {
  EXPECT_EQ(actual.x, expected.x);
  EXPECT_EQ(actual.y, expected.y);
  EXPECT_EQ(actual.z, expected.z);
}

TEST(Vector3, SumDifferenceAndLength) {
  const Vector3 a{1, 2, 3};
  const Vector3 b{0.5, -4, 8};
  expectVector(a + b, {1.5, -2, 11});
  expectVector(a - b, {0.5, 6, -5});
  EXPECT_EQ((Vector3{3, 4, 0}.length()), 5.0);
  // Squares added x, then y, then z: another order rounds differently here.
  const Vector3 c{-1.4625430235503952e-08, -0.009797238970423132, 0.010438497796503023};
  EXPECT_EQ(c.length(), 0.014316009489078654);
}

// The divisor is clamped away from zero, keeping its sign; 0 and -0 both become +kMinDivisor.
TEST(Vector3, DividedByGuardsSmallDivisors) {
  struct Case {
    double divisor;
    double used;
  };
  const Case cases[] = {
      {0.0, 0.00001},     {-0.0, 0.00001},      {0.000002, 0.00001}, {-0.000002, -0.00001},
      {0.00001, 0.00001}, {-0.00001, -0.00001}, {2.0, 2.0},          {-0.5, -0.5},
  };
  const Vector3 a{1, -2, 3};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.divisor);
    expectVector(a.dividedBy(c.divisor), {1 / c.used, -2 / c.used, 3 / c.used});
  }
}

// Three regimes: the zero vector stays zero, a tiny one is divided by kMinDivisor (not made a
// unit vector), an ordinary one by its own length.
TEST(Vector3, Normalized) {
  struct Case {
    Vector3 in;
    Vector3 out;
  };
  const Case cases[] = {
      {{0, 0, 0}, {0, 0, 0}},         {{0.000001, 0, 0}, {0.09999999999999999, 0, 0}},
      {{0, -0.00001, 0}, {0, -1, 0}}, {{3, 4, 0}, {0.6, 0.8, 0}},
      {{0, 0, -7}, {0, 0, -1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.in.x << ", " << c.in.y << ", " << c.in.z);
    const Vector3 n = c.in.normalized();
    expectVector(n, c.out);
    EXPECT_FALSE(std::isnan(n.x) || std::isnan(n.y) || std::isnan(n.z));
  }
}

TEST(Vector3, CrossFollowsOperandOrder) {
  struct Case {
    Vector3 a, b, axb;
  };
  const Case cases[] = {
      {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}},
      {{0, 1, 0}, {1, 0, 0}, {0, 0, -1}},
      {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}},
      {{1, 2, 3}, {4, 5, 6}, {-3, 6, -3}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.a.x << c.a.y << c.a.z << " x " << c.b.x << c.b.y << c.b.z);
    expectVector(c.a.cross(c.b), c.axb);
  }
}

}  // namespace
