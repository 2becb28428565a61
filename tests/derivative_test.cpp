// The surface's own normal: the derivatives of every built-in surface, at rest and moving, and
// of a torus typed as formulas, against the analytic ones; a cone's apex has no normal; and a
// cell's facet normal points the same way as the surface's own at its middle; where there is
// none, why (a collapse, parallel derivatives, a kink, rounding, an undefined point).
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "app/viewer_state.h"
#include "explorer/inspect.h"
#include "formula/formula_surface.h"
#include "geometry/derivative.h"
#include "geometry/grid.h"
#include "geometry/surface.h"

namespace {

struct Partials {
  Vector3 ru, rv;
};

// The analytic r_u and r_v of built-in `surface` at (u, v), `s` being u (or, for the disc, v)
// shifted as the animation shifts it.
Partials analytic(unsigned surface, double u, double v) {
  const bool on = viewerState.animate;
  const double phase = viewerState.phase;
  const double s = on ? (phase - 0.5) + u : u;
  switch (surface) {
    case 0:
      return {{5, 0, 0}, {0, 0, 5}};
    case 1:
      return {{5, 5 * std::cos(s * 5), 0}, {0, 0, 5}};
    case 2: {
      const double c = std::cos(s * v * 5);
      return {{5, 5 * v * c, 0}, {0, 5 * s * c, 5}};
    }
    case 3: {
      const double a = u * kPi, w = (on ? phase + v : v) + 1;
      return {{3 * w * kPi * std::cos(a), 0, -3 * w * kPi * std::sin(a)},
              {3 * std::sin(a), -kTwoPi * std::sin(w * kTwoPi), 3 * std::cos(a)}};
    }
    case 4: {
      const double a = s * kPi;
      return {{-3 * kPi * std::sin(a), 0, 3 * kPi * std::cos(a)}, {0, 3, 0}};
    }
    default: {
      const double a = s * kPi, b = (v - 1) * kHalfPi;
      return {{-3 * kPi * std::sin(a) * std::sin(b), 0, 3 * kPi * std::cos(a) * std::sin(b)},
              {3 * kHalfPi * std::cos(a) * std::cos(b), -3 * kHalfPi * std::sin(b),
               3 * kHalfPi * std::sin(a) * std::cos(b)}};
    }
  }
}

// |got - want| within 1e-7 of |want|.
void expectClose(const Vector3& got, const Vector3& want, const char* name) {
  EXPECT_LE((got - want).length(), 1e-7 * want.length())
      << name << " (" << got.x << ", " << got.y << ", " << got.z << "), analytic (" << want.x
      << ", " << want.y << ", " << want.z << ")";
}

TEST(Derivatives, WithinTheirStatedErrorOfTheAnalyticOnes) {
  const double places[][2] = {{-0.95, -0.95}, {-0.3, 0.45}, {0.05, 0.85}, {0.6, -0.15},
                               {1.05, 1.05}};
  for (unsigned surface = 0; surface < kSurfaceCount; ++surface) {
    for (const bool on : {false, true}) {
      viewerState.animate = on;
      viewerState.phase = 0.3f;
      for (const auto& p : places) {
        SCOPED_TRACE(testing::Message() << "surface " << surface << (on ? " moving" : "")
                                        << " at " << p[0] << ", " << p[1]);
        const SurfaceNormal s = surfaceNormalAt(builtInSurface(surface), p[0], p[1]);
        const Partials want = analytic(surface, p[0], p[1]);
        expectClose(s.ru, want.ru, "r_u");
        expectClose(s.rv, want.rv, "r_v");
        EXPECT_TRUE(s.defined);
      }
    }
  }
  viewerState = ViewerState{};

  // A torus typed as formulas, and a cone whose apex, v = 0, has r_u = 0: no normal there.
  FormulaError error;
  const auto torus = FormulaSurface::parse("(2+cos(pi*v))*cos(pi*u)", "sin(pi*v)",
                                           "(2+cos(pi*v))*sin(pi*u)", &error);
  const auto cone = FormulaSurface::parse("v*cos(pi*u)", "v", "v*sin(pi*u)", &error);
  ASSERT_TRUE(torus && cone);
  const double pi = kFullPi;
  for (const auto& p : places) {
    const double u = p[0], v = p[1], r = 2 + std::cos(pi * v);
    const SurfaceNormal s = surfaceNormalAt(torus->at(0), u, v);
    expectClose(s.ru, {-pi * r * std::sin(pi * u), 0, pi * r * std::cos(pi * u)}, "torus r_u");
    expectClose(s.rv,
                {-pi * std::sin(pi * v) * std::cos(pi * u), pi * std::cos(pi * v),
                 -pi * std::sin(pi * v) * std::sin(pi * u)},
                "torus r_v");
    const SurfaceNormal apex = surfaceNormalAt(cone->at(0), u, 0);
    EXPECT_FALSE(apex.defined);
    EXPECT_EQ(apex.normal.length(), 0);
    EXPECT_TRUE(surfaceNormalAt(cone->at(0), u, 0.5).defined);
  }
  // Inspected at a grid whose middle is the apex (v from -0.05 to 0.05 in the cone shifted so):
  // the rest is shown, the normal and the angle are null.
  const auto shifted = FormulaSurface::parse("(v+0.95)*cos(pi*u)", "v+0.95",
                                             "(v+0.95)*sin(pi*u)", &error);
  const Inspection in = inspect(shifted->at(0), 4, 0, kViewerCamera);
  EXPECT_FALSE(in.own.defined);
  const std::string json = asJson(in);
  for (const char* key : {"\"trueNormal\":null", "\"angleDegrees\":null", "\"ru\":[", "\"level\":"})
    EXPECT_NE(json.find(key), std::string::npos) << key << " in " << json;
}

// n and N point the same way: for every cell of every built-in surface whose facet normal and
// own normal both exist, the angle between them is under 90 degrees.
TEST(Derivatives, FacetNormalsPointAsTheSurfacesOwn) {
  for (unsigned surface = 0; surface < kSurfaceCount; ++surface) {
    double largest = 0;
    forEachGridCell(builtInSurface(surface), Grid{}, [&](const GridCell& g, const Cell& c) {
      const SurfaceNormal own = surfaceNormalAtMiddle(builtInSurface(surface), g);
      if (own.defined && c.normal.length() > 0) {
        largest = std::fmax(largest, angleDegrees(c.normal, own.normal));
      }
    });
    EXPECT_LT(largest, 90) << "surface " << surface;
  }
}

// The own normal where it is taken alone: each reason, and the one that is kept.
TEST(Derivatives, TheOwnNormalSaysWhyItIsMissing) {
  const struct Case {
    const char *x, *y, *z;
    double u, v;
    OwnNormal status;
    const char* why;  // a part of the reason
  } cases[] = {
      {"v*cos(u)", "v", "v*sin(u)", 0.3, 0, OwnNormal::kNone, "r_u vanishes"},
      {"v*cos(u)", "v", "v*sin(u)", 0.3, 1e-3, OwnNormal::kDefined, ""},
      {"u", "v", "sqrt(u*u+v*v)", 0, 0, OwnNormal::kNotSmooth, "not smooth"},
      {"u", "v", "abs(u)", 0, 0.4, OwnNormal::kNotSmooth, "along u"},
      {"abs(v)", "u", "0", 0.4, 0, OwnNormal::kNotSmooth, "along v"},
      {"u", "v", "abs(u)", 1e-3, 0.4, OwnNormal::kDefined, ""},
      {"u+v", "u+v", "0", 0.2, 0.3, OwnNormal::kNone, "parallel"},
      {"1", "2", "3", 0.2, 0.3, OwnNormal::kNone, "does not change"},
      {"u", "1e11+u", "v", 0.2, 0.3, OwnNormal::kUnreliable, "cannot be computed reliably"},
      {"log(u)", "v", "0", -0.5, 0.3, OwnNormal::kUndefined, "not defined"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.x << ", " << c.y << ", " << c.z << " at " << c.u << ", "
                                    << c.v);
    FormulaError error;
    auto s = FormulaSurface::parse(c.x, c.y, c.z, &error);
    ASSERT_TRUE(s) << error.message;
    const SurfaceNormal n = surfaceNormalAt(s->at(0), c.u, c.v);
    EXPECT_EQ(static_cast<int>(n.status), static_cast<int>(c.status)) << n.why;
    EXPECT_NE(n.why.find(c.why), std::string::npos) << n.why;
    EXPECT_EQ(n.defined, c.status == OwnNormal::kDefined);
    if (n.defined) {
      EXPECT_NEAR(n.normal.length(), 1, 1e-15);
    }
  }
}

}  // namespace
