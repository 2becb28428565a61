// The cell looked into, as Mesa draws it: yellow within black where the cell is, its four arrows
// beside it, none of its colours in a frame without a mark; the surface's own normal lines only
// when chosen.
#include <gtest/gtest.h>

#include <cmath>

#include "app/viewer_state.h"
#include "capture.h"
#include "explorer/inspect.h"
#include "geometry/surface.h"
#include "gl_harness.h"
#include "golden.h"

namespace {

PointFunction builtIn(unsigned surface) { return builtInSurface(surface); }

// WCAG's relative luminance of an 8-bit colour, and the contrast ratio of two.
double luminance(Rgb c) {
  const auto linear = [](int level) {
    const double s = level / 255.0;
    return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(c.r) + 0.7152 * linear(c.g) + 0.0722 * linear(c.b);
}
double contrast(Rgb a, Rgb b) {
  const double la = luminance(a), lb = luminance(b);
  return (std::fmax(la, lb) + 0.05) / (std::fmin(la, lb) + 0.05);
}

struct Found {
  int count = 0;
  double x = 0, y = 0;  // their mean
};
Found pixelsOf(const Image& frame, const float colour[3]) {
  const Rgb want = toRgb(colour[0], colour[1], colour[2]);
  Found f;
  for (int y = 0; y < frame.height; ++y) {
    for (int x = 0; x < frame.width; ++x) {
      if (!near(frame.at(x, y), want, 1)) continue;
      ++f.count;
      f.x += x;
      f.y += y;
    }
  }
  if (f.count > 0) f.x /= f.count, f.y /= f.count;
  return f;
}

// The marked cell is yellow within black, in Mesa's own frame, where the cell is (the cell
// picked under the yellow's middle), with its four arrows beside it; no frame without a mark
// has any of its colours; the surface's own normal lines are teal, drawn only when chosen.
TEST(Inspect, TheMarkedCellAndItsArrowsAreWhereTheCellIs) {
  openViewer();
  viewerState.animate = false;
  const float* marks[] = {kMarkerFace, kArrowE1, kArrowE2, kArrowFacet, kArrowOwn};
  // Cells in sight from the viewer's eye.
  const struct {
    unsigned surface;
    int cells[3];
  } cases[] = {{0, {3 * kGridSize + 4, 10 * kGridSize + 3, 17 * kGridSize + 12}},
               {3, {10 * kGridSize + 3, 16 * kGridSize + 12, 6 * kGridSize + 19}}};
  for (const auto& [surface, cells] : cases) {
    viewerState.surfaceIndex = surface;
    const PointFunction points = builtIn(surface);
    for (const int cell : cells) {
      SCOPED_TRACE(testing::Message() << "surface " << surface << " cell " << cell);
      const Marker marker = inspect(points, cell / kGridSize, cell % kGridSize, kViewerCamera)
                                .marker();
      Scene scene;
      scene.marked = &marker;
      int leftOut = 0;
      const Image frame = readFrame(scene, &leftOut);
      const Found face = pixelsOf(frame, kMarkerFace);
      ASSERT_GT(face.count, 10);
      EXPECT_EQ(pick(points, kViewerCamera, face.x + 0.5, face.y + 0.5, 400, 400), cell);
      for (const float* arrow : {kArrowE1, kArrowE2, kArrowFacet, kArrowOwn}) {
        const Found a = pixelsOf(frame, arrow);
        EXPECT_GT(a.count, 2);
        EXPECT_LT(std::hypot(a.x - face.x, a.y - face.y), 40) << "an arrow far from its cell";
      }
    }
    const Image plain = readFrame();
    for (const float* colour : marks) EXPECT_EQ(pixelsOf(plain, colour).count, 0);
  }
  // Yellow stands out from the background, the black band from every grey a face can have.
  const Rgb yellow = toRgb(kMarkerFace[0], kMarkerFace[1], kMarkerFace[2]);
  EXPECT_GE(contrast(yellow, toRgb(0.2, 0.2, 0.7)), 3);
  for (int grey = 127; grey <= 255; ++grey) EXPECT_GE(contrast({0, 0, 0}, {grey, grey, grey}), 3);

  viewerState.surfaceIndex = 2;
  const float red[3] = {0.5f, 0, 0}, teal[3] = {0, 0.5f, 0.5f};
  for (const NormalLines lines : {NormalLines::kFacet, NormalLines::kSurface, NormalLines::kBoth}) {
    Scene scene;
    scene.normals = lines;
    int leftOut = 0;
    const Image frame = readFrame(scene, &leftOut);
    EXPECT_EQ(pixelsOf(frame, red).count > 100, lines != NormalLines::kSurface);
    EXPECT_EQ(pixelsOf(frame, teal).count > 100, lines != NormalLines::kFacet);
  }
  viewerState = ViewerState{};
}

}  // namespace
