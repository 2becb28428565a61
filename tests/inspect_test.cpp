// Looking into a cell: the numbers are the cell arithmetic's, bit for bit, and the lighting's
// as the GL layer lights the quad; the cell picked under a pixel of Mesa's own frame is the one
// whose face that pixel shows, its shade the pixel's; and the view turns within its bounds,
// the viewer's own camera exactly where it is not turned.
#include "explorer/inspect.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "app/viewer_state.h"
#include "capture.h"
#include "cell_parts.h"
#include "geometry/surface.h"
#include "gl_harness.h"
#include "golden.h"
#include "explorer/view.h"

namespace {

PointFunction builtIn(unsigned surface) {
  return [surface](double u, double v) { return surfacePoint(surface, u, v); };
}

bool sameBits(const Vector3& a, const Vector3& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(Inspect, TheNumbersAreTheCellArithmetics) {
  for (unsigned surface = 0; surface < kSurfaceCount; ++surface) {
    for (const bool animate : {false, true}) {
      viewerState.animate = animate;
      viewerState.phase = 0.3f;
      for (const int cell : {0, 20, 220, 230, 420, 440}) {
        SCOPED_TRACE(testing::Message() << "surface " << surface << " cell " << cell);
        const int row = cell / kGridSize, column = cell % kGridSize;
        const Inspection in = inspect(builtIn(surface), row, column, kViewerCamera);
        const GridCell g = gridCell(row, column);
        const Cell c = cellAt(surface, g.u, g.uNext, g.v, g.vNext);
        EXPECT_TRUE(sameBits(in.cell.p00, c.p00) && sameBits(in.cell.p01, c.p01) &&
                    sameBits(in.cell.p11, c.p11) && sameBits(in.cell.p10, c.p10) &&
                    sameBits(in.cell.normal, c.normal) && sameBits(in.cell.centre, c.centre) &&
                    sameBits(in.cell.lineEnd, c.lineEnd));
        EXPECT_TRUE(sameBits(in.e1, c.p01 - c.p00) && sameBits(in.e2, c.p11 - c.p00));
        EXPECT_EQ(in.shade, 0.5f + 0.5f * std::fmax(0.0f, in.normalDotLight));
      }
    }
  }
  // The flat sheet at rest: every normal straight down, and every face the same grey.
  viewerState.animate = false;
  for (int cell = 0; cell < kCellCount; ++cell) {
    const Inspection in = inspect(builtIn(0), cell / kGridSize, cell % kGridSize, kViewerCamera);
    ASSERT_TRUE(in.cell.normal.x == 0 && in.cell.normal.y == -1 && in.cell.normal.z == 0);
    ASSERT_EQ(in.level, 201) << "0.5 + 0.5 / sqrt(3), in eight bits";
    ASSERT_FALSE(in.guarded);
  }
  // A cell whose corners meet: the guard's case, said.
  const Vector3 p{1, 0, 1};
  const PointFunction collapsed = [&p](double, double) { return p; };
  const Inspection in = inspect(collapsed, 3, 4, kViewerCamera);
  EXPECT_TRUE(in.guarded);
  EXPECT_TRUE(in.cell.normal.x == 0 && in.cell.normal.y == 0 && in.cell.normal.z == 0);
  EXPECT_EQ(in.level, 128);
  EXPECT_NE(asJson(in).find("\"guarded\":true,"), std::string::npos);
}

// Only the cells' lit faces, as the frame draws them, seen with `camera`.
Image facesOnly(unsigned surface, const Camera& camera) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  loadCamera(camera);
  sweepGrid([surface](double u, double uNext, double v, double vNext) {
    drawCellFace(cellAt(surface, u, uNext, v, vNext));
  });
  return readBackBuffer();
}

TEST(Inspect, ThePickedCellIsTheOneWhosFaceThePixelShows) {
  openViewer();
  viewerState.animate = false;
  View turnedView = turned(View{}, 70, -20);
  for (const Camera& camera : {kViewerCamera, cameraOf(turnedView)}) {
    for (unsigned surface = 0; surface < kSurfaceCount; ++surface) {
      SCOPED_TRACE(testing::Message() << "surface " << surface << " eye " << camera.eye[0]);
      const Image frame = facesOnly(surface, camera);
      const Rgb background = frame.at(0, 0);
      int faces = 0, agree = 0, misses = 0;
      for (int y = 3; y < frame.height; y += 9) {
        for (int x = 3; x < frame.width; x += 9) {
          const Rgb seen = frame.at(x, y);
          const int cell =
              pick(builtIn(surface), camera, x + 0.5, y + 0.5, frame.width, frame.height);
          if (near(seen, background, 0)) {
            misses += cell >= 0;
            continue;
          }
          ++faces;
          if (cell < 0) continue;
          const Inspection in =
              inspect(builtIn(surface), cell / kGridSize, cell % kGridSize, camera);
          agree += std::abs(seen.r - in.level) <= 1;
        }
      }
      // Only a pixel on the edge between two cells may be given to the other.
      EXPECT_GT(faces, 100);
      EXPECT_GE(agree, faces * 98 / 100) << agree << " of " << faces;
      EXPECT_LE(misses, 3);
    }
  }
}

TEST(Inspect, ViewsTurnWithinTheirBounds) {
  const Camera viewers = cameraOf(View{});
  EXPECT_EQ(std::memcmp(&viewers, &kViewerCamera, sizeof viewers), 0);
  const View start = viewerAngles();
  const Camera again = cameraOf(start);
  for (int k = 0; k < 3; ++k) EXPECT_NEAR(again.eye[k], kEye[k], 1e-12);
  View v = turned(View{}, 0, 500);
  EXPECT_EQ(v.latitude, 80) << "the view stops 10 degrees short of the poles";
  v = turned(v, 370, -1000);
  EXPECT_EQ(v.latitude, -80);
  EXPECT_EQ(v.longitude, 55);
  // Kept to hundredths, so that its link reads as typed and gives it back.
  v = turned(zoomed(View{}, 1.0 / 3), 0.123456, -0.987654);
  EXPECT_EQ(v.longitude, 45.12);
  EXPECT_EQ(v.latitude, 34.27);
  EXPECT_EQ(v.distance, 6);
  EXPECT_EQ(zoomed(View{}, 1.1).distance, 19.05);
  EXPECT_EQ(zoomed(v, 1e-9).distance, kNearest);
  EXPECT_EQ(zoomed(v, 1e9).distance, kFurthest);
  EXPECT_FALSE(fromLink(1, std::nan(""), 3, &v));
  EXPECT_TRUE(captionInView(kViewerCamera, 400, 400));
  EXPECT_FALSE(captionInView(cameraOf(turned(View{}, 180, 0)), 400, 400));
}

}  // namespace

namespace {

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
