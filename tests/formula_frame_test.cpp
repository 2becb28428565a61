// A surface of one's own is drawn exactly as the built-ins are: the built-ins written as
// formulas draw their frames pixel for pixel (the caption's rows aside where the texts differ),
// and cells whose corners are not finite are left out, counted, and never reach OpenGL.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "app/viewer_state.h"
#include "capture.h"
#include "formula/formula_surface.h"
#include "gl_harness.h"
#include "golden.h"
#include "render/frame.h"

namespace {

// The frame of `own` at the current state, and how many cells it left out.
Image ownFrame(const FormulaSurface& own, int* leftOut) {
  const PointFunction points = [&own](double u, double v) {
    return own.point(u, v, viewerState.animate ? viewerState.phase : 0.0);
  };
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

TEST(FormulaFrame, CellsNotDefinedAreLeftOutAndNeverReachOpenGl) {
  openViewer();
  viewerState.animate = false;
  FormulaError error;
  const auto own = FormulaSurface::parse("u*5", "log(u)", "v*5", &error);
  ASSERT_NE(own, nullptr);
  int leftOut = 0;
  ownFrame(*own, &leftOut);
  // u runs from -1 in steps of 0.1: the eleven columns of cells with a corner at u <= 0.
  EXPECT_EQ(leftOut, 11 * 21);
  const PointFunction points = [&own](double u, double v) { return own->point(u, v, 0); };
  Scene scene;
  scene.surface = &points;
  scene.caption = own->caption().c_str();
  for (const Primitive& p : feedback([&] { drawFrame(scene); })) {
    for (const FeedbackVertex& v : p.vertices) {
      ASSERT_TRUE(std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z));
    }
  }
}

}  // namespace
