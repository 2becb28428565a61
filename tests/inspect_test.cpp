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
        const GridCell g = Grid{}.cell(row, column);
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
  for (int cell = 0; cell < 441; ++cell) {
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
  EXPECT_EQ(zoomed(View{}, 1.25).distance, 21.65) << "to four figures, as a person types it";
  EXPECT_EQ(turned(View{}, 20, 10).distance, 17.32);
  EXPECT_EQ(zoomed(v, 1e-9).distance, kNearest);
  EXPECT_EQ(zoomed(v, 1e9).distance, kFurthest);
  EXPECT_FALSE(fromLink(1, std::nan(""), 3, nullptr, Reach{}, &v));
  const double notFinite[3] = {0, HUGE_VAL, 0};
  EXPECT_FALSE(fromLink(1, 2, 3, notFinite, Reach{}, &v));
  EXPECT_TRUE(captionInView(kViewerCamera, 400, 400));
  EXPECT_FALSE(captionInView(cameraOf(turned(View{}, 180, 0)), 400, 400));
}

// Fitting the view: the eye keeps its direction and stands where the surface's bounding sphere
// just fills the field of view, r / sin(22.5 degrees) from its centre; the nearest view follows
// the surface's size, so that a link to a fitted view of a small surface gives it back.
TEST(Inspect, FittedViewsFrameTheSurface) {
  const double tau = 6.283185307179586, quarter = tau / 4;
  const struct {
    const char* surface;
    PointFunction point;
    Grid grid;
    Vector3 centre;
    double radius;
  } cases[] = {
      {"the unit sphere", [](double u, double v) {
         return Vector3{std::cos(u) * std::cos(v), std::sin(v), std::sin(u) * std::cos(v)};
       }, Grid::over(40, 40, 0, tau, -quarter, quarter), {0, 0, 0}, std::sqrt(3.0)},
      {"a sheet off the origin", [](double u, double v) { return Vector3{u + 5, 2 * v, 0}; },
       Grid::over(4, 4, 0, 1, 0, 1), {5.5, 1, 0}, std::sqrt(1.25)},
      {"a sheet ten wide", [](double u, double v) { return Vector3{5 * u, 0, 5 * v}; },
       Grid::over(4, 4, -1, 1, -1, 1), {0, 0, 0}, std::sqrt(50.0)},
      {"a sheet two hundred wide", [](double u, double v) { return Vector3{100 * u, 0, 100 * v}; },
       Grid::over(4, 4, -1, 1, -1, 1), {0, 0, 0}, std::sqrt(20000.0)},
  };
  const double sinHalfField = std::sin(22.5 * kDegree);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.surface);
    const Bounds b = boundsOf(c.point, c.grid);
    EXPECT_NEAR((b.centre - c.centre).length(), 0, 1e-12);
    EXPECT_NEAR(b.radius, c.radius, 1e-12);
    const Camera camera = fitted(kViewerCamera, b);
    const Vector3 eye{camera.eye[0], camera.eye[1], camera.eye[2]};
    const Vector3 at{camera.centre[0], camera.centre[1], camera.centre[2]};
    EXPECT_NEAR((at - c.centre).length(), 0, 1e-12);
    EXPECT_NEAR((eye - at).length(), c.radius / sinHalfField, 1e-9);
    const Vector3 way = (eye - at).normalized();
    for (const double k : {way.x, way.y, way.z}) EXPECT_NEAR(k, 1 / std::sqrt(3.0), 1e-12);

    // The page's view: the same direction and distance to four figures.
    const View v = fitted(View{}, b);
    EXPECT_EQ(v.longitude, 45);
    EXPECT_EQ(v.latitude, 35.26);
    EXPECT_NEAR(v.distance, c.radius / sinHalfField, 5e-4 * v.distance);
    EXPECT_NEAR(v.centre[0], c.centre.x, 1e-3);
    // The viewer's nearest and furthest views, unless the fitted one lies beyond them: then
    // half and ten times its distance.
    const Reach reach = reachOf(b);
    const double fit = c.radius / sinHalfField;
    const bool within = fit >= kNearest && fit <= kFurthest;
    EXPECT_NEAR(reach.nearest, within ? kNearest : fit / 2, 1e-9 * fit);
    EXPECT_NEAR(reach.furthest, within ? kFurthest : 10 * fit, 1e-8 * fit);
    EXPECT_NEAR(zoomed(v, 1e-9, reach).distance, reach.nearest, 1e-3 * reach.nearest);
    EXPECT_LT(reach.nearest, v.distance);
    View back;
    ASSERT_TRUE(fromLink(v.longitude, v.latitude, v.distance, v.centre, reach, &back));
    EXPECT_EQ(cameraOf(back).eye[0], cameraOf(v).eye[0]);
    EXPECT_EQ(turned(v, 0, 0).distance, v.distance);
  }
  // Nothing drawable: nothing to fit, the view kept.
  const Bounds none = boundsOf([](double, double) { return Vector3{NAN, 0, 0}; }, Grid{});
  EXPECT_EQ(none.radius, 0);
  const Camera kept = fitted(kViewerCamera, none);
  EXPECT_EQ(std::memcmp(&kept, &kViewerCamera, sizeof kept), 0);
}

}  // namespace
