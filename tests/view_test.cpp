// The view a reader turns, zooms and fits to the surface, against the field of view's geometry.
#include "explorer/view.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

TEST(View, TurnsWithinItsBounds) {
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
TEST(View, FittedViewsFrameTheSurface) {
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
