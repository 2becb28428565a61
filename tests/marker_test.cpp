// The cell looked into, as Mesa draws it: yellow within black where the cell is, its four arrows
// beside it, none of its colours in a frame without a mark; the surface's own normal lines only
// when chosen.
#include <gtest/gtest.h>

#include <cmath>
#include <utility>

#include "app/viewer_state.h"
#include "capture.h"
#include "app/startup.h"
#include "explorer/inspect.h"
#include "explorer/view.h"
#include "geometry/surface.h"
#include "gl_harness.h"
#include "golden.h"

namespace {

PointFunction builtIn(unsigned surface) { return builtInSurface(surface); }

// Where the viewer's camera puts `p` in its 400 x 400 frame, in the image's pixels (y down).
std::pair<double, double> onScreen(const Vector3& p) {
  const Matrix mvp = multiply(perspectiveMatrix(kFieldOfView, kAspect, kNearPlane, kFarPlane),
                              modelviewOf(kViewerCamera));
  const double q[4] = {p.x, p.y, p.z, 1};
  double clip[4] = {0, 0, 0, 0};
  for (int r = 0; r < 4; ++r) {
    for (int k = 0; k < 4; ++k) clip[r] += mvp.m[4 * k + r] * q[k];
  }
  return {(clip[0] / clip[3] * 0.5 + 0.5) * 400 - 0.5, (0.5 - clip[1] / clip[3] * 0.5) * 400 - 0.5};
}

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
  int pointing = 0;  // arrows seen whole enough to tell their direction
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
      // Each arrow points along its own vector: its tip (its pixel furthest from where it
      // starts) is nearer where the vector ends than where a slip would end it (e2 at P11, not
      // P10; n along n, not along the red line against it).
      const Cell& c = marker.cell;
      const Vector3 half{c.normal.x / 2, c.normal.y / 2, c.normal.z / 2};
      const struct {
        const float* colour;
        Vector3 from, to, wrong;
      } arrows[] = {{kArrowE2, c.p00, c.p11, c.p10},
                    {kArrowE1, c.p00, c.p01, c.p10},
                    {kArrowFacet, c.centre, c.centre + half, c.centre - half}};
      for (const auto& arrow : arrows) {
        const auto [sx, sy] = onScreen(arrow.from);
        const Rgb want = toRgb(arrow.colour[0], arrow.colour[1], arrow.colour[2]);
        double tipX = sx, tipY = sy;
        for (int y = 0; y < frame.height; ++y) {
          for (int x = 0; x < frame.width; ++x) {
            if (near(frame.at(x, y), want, 1) &&
                std::hypot(x - sx, y - sy) > std::hypot(tipX - sx, tipY - sy)) {
              tipX = x;
              tipY = y;
            }
          }
        }
        const auto [rx, ry] = onScreen(arrow.to);
        const auto [wx, wy] = onScreen(arrow.wrong);
        // An arrow the surface hides for most of its length tells nothing either way.
        if (std::hypot(tipX - sx, tipY - sy) < 0.75 * std::hypot(rx - sx, ry - sy)) continue;
        ++pointing;
        EXPECT_LT(std::hypot(tipX - rx, tipY - ry), std::hypot(tipX - wx, tipY - wy))
            << "arrow " << (&arrow - arrows);
      }
    }
    const Image plain = readFrame();
    for (const float* colour : marks) EXPECT_EQ(pixelsOf(plain, colour).count, 0);
  }
  EXPECT_GE(pointing, 12) << "of 18 arrows";
  // The marker stands out (WCAG's 3:1 for graphics) from the background the frame shows, and
  // its black band from every face's grey in it.
  const Image plain = readFrame();
  const Rgb yellow = toRgb(kMarkerFace[0], kMarkerFace[1], kMarkerFace[2]);
  EXPECT_GE(contrast(yellow, plain.at(0, 0)), 3);
  int greys = 0;
  for (int y = 0; y < plain.height; ++y) {
    for (int x = 0; x < plain.width; ++x) {
      const Rgb p = plain.at(x, y);
      if (p.r != p.g || p.g != p.b || p.r < 100) continue;  // the faces' greys, not lines
      ++greys;
      ASSERT_GE(contrast({0, 0, 0}, p), 3) << x << ", " << y;
    }
  }
  EXPECT_GT(greys, 1000);

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
