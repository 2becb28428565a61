// A surface of one's own is drawn exactly as the built-ins are: the built-ins written as
// formulas draw their frames pixel for pixel (the caption's rows aside where the texts differ),
// and cells whose corners are not finite are left out, counted, and never reach OpenGL.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "app/viewer_state.h"
#include "capture.h"
#include "formula/formula_surface.h"
#include "geometry/grid.h"
#include "gl_harness.h"
#include "golden.h"
#include "render/frame.h"

namespace {

// The frame of `own` at the current state, and how many cells it left out.
Image ownFrame(FormulaSurface& own, int* leftOut) {
  const PointFunction points = own.at(viewerState);
  Scene scene;
  scene.surface = &points;
  scene.caption = own.caption().c_str();
  return readFrame(scene, leftOut);
}

TEST(FormulaFrame, TheBuiltInsAsFormulasDrawTheirFrames) {
  openViewer();
  const struct {
    unsigned surface;
    const char *x, *y, *z;  // at rest; moving, u is (t-0.5+u)
    bool sameCaption;       // at rest
  } cases[] = {
      {0, "u*5", "0", "v*5", true},
      {1, "u*5", "sin(u*5)", "v*5", false},
      {2, "u*5", "sin(u*v*5)", "v*5", true},
      {4, "cos(u*3.141592)*3", "v*3", "sin(u*3.141592)*3", false},
  };
  const auto moving = [](std::string f) {
    for (std::size_t at = 0; (at = f.find('u', at)) != std::string::npos; at += 9) {
      f.replace(at, 1, "(t-0.5+u)");
    }
    return f;
  };
  for (const auto& c : cases) {
    for (const float phase : {-1.0f, 0.3f, 0.75f}) {  // -1: at rest
      SCOPED_TRACE(testing::Message() << "surface " << c.surface << " phase " << phase);
      const bool animate = phase >= 0;
      FormulaError error;
      const auto own = animate
                           ? FormulaSurface::parse(moving(c.x), moving(c.y), moving(c.z), &error)
                           : FormulaSurface::parse(c.x, c.y, c.z, &error);
      ASSERT_NE(own, nullptr) << error.message;
      viewerState.surfaceIndex = c.surface;
      viewerState.animate = animate;
      viewerState.phase = animate ? phase : 0.0f;
      const Image builtIn = readFrame();
      int leftOut = -1;
      const Image formula = ownFrame(*own, &leftOut);
      EXPECT_EQ(leftOut, 0);
      int differ = 0;
      for (int y = 0; y < builtIn.height; ++y) {
        const bool caption = y >= kCaptionTop && y <= kCaptionBottom;
        if (caption && !(c.sameCaption && !animate)) continue;
        for (int x = 0; x < builtIn.width; ++x) {
          differ += !near(builtIn.at(x, y), formula.at(x, y), 0);
        }
      }
      EXPECT_EQ(differ, 0);
    }
  }
}

// Cells with any number undefined or past single precision are left out, each counted, and no
// such number reaches OpenGL: as formulas, and as a point function undefined at one grid point
// only (the P10 of one cell, the P00, P01 and P11 of three others) or in its Z only.
TEST(FormulaFrame, CellsNotDrawableAreLeftOutAndNeverReachOpenGl) {
  openViewer();
  viewerState.animate = false;
  const double nan = std::nan("");
  const struct {
    const char *x, *y, *z;
    PointFunction point;  // when no formulas are given
    int leftOut;
  } cases[] = {
      // u runs from -1 in steps of 0.1: the eleven columns of cells with a corner at u <= 0.
      {"u*5", "log(u)", "v*5", {}, 11 * 21},
      {"u*1e39", "0", "v", {}, 441 - 6 * 21},  // all but the cells within |u| < 0.34
      {"1e308*u", "0", "v", {}, 441},  // corners finite, centres and normals not
      {"u", "v", "u < 0.45 ? 1 : 3.5e38", {}, 7 * 21},  // P11 and P10 alone past a float
      {nullptr, nullptr, nullptr,
       [nan](double u, double v) { return Vector3{u, v, u == Grid{}.cell(4, 7).uNext && v == Grid{}.cell(4, 7).v ? nan : 0}; },
       4},
      {nullptr, nullptr, nullptr,
       [nan](double u, double v) { return Vector3{u, 0, v > 0.95 ? nan : v}; }, 2 * 21},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.x ? c.x : "a point function");
    FormulaError error;
    std::unique_ptr<FormulaSurface> own = c.x ? FormulaSurface::parse(c.x, c.y, c.z, &error)
                                              : nullptr;
    const PointFunction points = own ? own->at(viewerState) : c.point;
    Scene scene;
    scene.surface = &points;
    scene.caption = "X=..., Y=..., Z=...";
    scene.normals = NormalLines::kBoth;
    EXPECT_EQ(drawFrame(scene), c.leftOut);
    for (const Primitive& p : feedback([&] { drawFrame(scene); })) {
      for (const FeedbackVertex& v : p.vertices) {
        ASSERT_TRUE(std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z));
      }
    }
  }
}

// A formula's t is the phase while the animation runs, and 0 at rest whatever the phase.
TEST(FormulaFrame, TIsZeroAtRest) {
  openViewer();
  FormulaError error;
  const auto plain = FormulaSurface::parse("u*5", "0", "v*5", &error);
  const auto withT = FormulaSurface::parse("u*5+t*2", "0", "v*5", &error);
  int leftOut = 0;
  for (const bool animate : {false, true}) {
    viewerState.animate = animate;
    viewerState.phase = 0.75f;
    const Image a = ownFrame(*plain, &leftOut), b = ownFrame(*withT, &leftOut);
    int differ = 0;
    for (int y = kCaptionBottom + 1; y < a.height; ++y) {
      for (int x = 0; x < a.width; ++x) differ += !near(a.at(x, y), b.at(x, y), 0);
    }
    EXPECT_EQ(differ == 0, !animate) << differ << " pixels differ";
  }
  viewerState = ViewerState{};
}

}  // namespace
