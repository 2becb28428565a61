#include "explorer/view.h"

#include <algorithm>
#include <cmath>

#include "app/startup.h"
#include "pipeline/fixed_function.h"

namespace {

// To the hundredth: a link to a view reads as a person would type it, and gives back exactly
// the view shown (the nearest double to a number of hundredths prints as that number).
double hundredths(double x) { return std::round(x * 100) / 100; }
// To a multiple of `unit`, a power of ten: a distance to four figures, a centre to a thousandth
// of the surface's size, so that its rounding noise (1e-17 for 0) reads as 0.
// Below 1 divided by the whole number of units in 1, so that 21.65 stays 21.65 (not
// 2165 * 0.01 = 21.650000000000002): the nearest double to a decimal prints as that decimal.
double toUnit(double x, double unit) {
  if (unit >= 1) return std::round(x / unit) * unit;
  const double perOne = std::round(1 / unit);
  return std::round(x * perOne) / perOne;
}
double figureUnit(double x, int figures) {
  return x == 0 ? 1 : std::pow(10.0, std::floor(std::log10(std::fabs(x))) - (figures - 1));
}

View bounded(const View& from, double longitude, double latitude, double distance,
             const Reach& reach) {
  View v = from;
  v.viewers = false;
  v.longitude = hundredths(std::remainder(longitude, 360.0));
  v.latitude = hundredths(std::clamp(latitude, -kLatitudeLimit, kLatitudeLimit));
  // Rounded after the bounds: a bound to four figures may lie a rounding outside them.
  const double d = std::clamp(distance, reach.nearest, reach.furthest);
  v.distance = toUnit(d, figureUnit(d, 4));
  return v;
}

}  // namespace

Camera cameraOf(const View& view) {
  if (view.viewers) return kViewerCamera;
  const double lon = view.longitude * kDegree, lat = view.latitude * kDegree;
  const double d = view.distance;
  const double* c = view.centre;
  return {{c[0] + d * std::cos(lat) * std::sin(lon), c[1] + d * std::sin(lat),
           c[2] + d * std::cos(lat) * std::cos(lon)},
          {c[0], c[1], c[2]},
          {kUp[0], kUp[1], kUp[2]}};
}

Matrix modelviewOf(const Camera& c) {
  return lookAt(identityMatrix(), c.eye[0], c.eye[1], c.eye[2], c.centre[0], c.centre[1],
                c.centre[2], c.up[0], c.up[1], c.up[2]);
}

Bounds boundsOf(const PointFunction& point, const Grid& grid) {
  Vector3 low{HUGE_VAL, HUGE_VAL, HUGE_VAL}, high{-HUGE_VAL, -HUGE_VAL, -HUGE_VAL};
  forEachGridCell(point, grid, [&](const GridCell&, const Cell& c) {
    if (!isDrawable(c)) return;
    for (const Vector3& p : {c.p00, c.p01, c.p11, c.p10}) {
      low = {std::fmin(low.x, p.x), std::fmin(low.y, p.y), std::fmin(low.z, p.z)};
      high = {std::fmax(high.x, p.x), std::fmax(high.y, p.y), std::fmax(high.z, p.z)};
    }
  });
  if (!(low.x <= high.x)) return {};
  const Vector3 sum = low + high;
  return {{sum.x / 2, sum.y / 2, sum.z / 2}, (high - low).length() / 2};
}

double fitDistance(double radius) { return radius / std::sin(kFieldOfView * 0.5 * kDegree); }

Reach reachOf(const Bounds& bounds) {
  const double fit = fitDistance(bounds.radius);
  if (bounds.radius == 0 || (fit >= kNearest && fit <= kFurthest)) return {};
  return {fit / 2, fit * 10};
}

Camera fitted(const Camera& camera, const Bounds& b) {
  if (b.radius == 0) return camera;
  const Vector3 eye{camera.eye[0], camera.eye[1], camera.eye[2]};
  const Vector3 way = eye - Vector3{camera.centre[0], camera.centre[1], camera.centre[2]};
  const Vector3 at = b.centre + way.dividedBy(way.length() / fitDistance(b.radius));
  return {{at.x, at.y, at.z}, {b.centre.x, b.centre.y, b.centre.z},
          {camera.up[0], camera.up[1], camera.up[2]}};
}

View fitted(const View& view, const Bounds& b) {
  const View from = view.viewers ? viewerAngles() : view;
  if (b.radius == 0) return from;
  const double unit = figureUnit(b.radius, 4);
  View v = bounded(from, from.longitude, from.latitude, fitDistance(b.radius), reachOf(b));
  const double centre[3] = {b.centre.x, b.centre.y, b.centre.z};
  for (int k = 0; k < 3; ++k) v.centre[k] = toUnit(centre[k], unit);
  return v;
}

View viewerAngles() {
  const double* e = kEye;
  const double d = std::sqrt(e[0] * e[0] + e[1] * e[1] + e[2] * e[2]);
  View v;
  v.viewers = false;
  v.longitude = std::atan2(e[0], e[2]) / kDegree;
  v.latitude = std::asin(e[1] / d) / kDegree;
  v.distance = d;
  return v;
}

View turned(const View& view, double longitude, double latitude) {
  const View from = view.viewers ? viewerAngles() : view;
  // The distance as it was, to four figures: a fitted view may be nearer than kNearest.
  return bounded(from, from.longitude + longitude, from.latitude + latitude, from.distance,
                 {0, HUGE_VAL});
}

View zoomed(const View& view, double factor, const Reach& reach) {
  const View from = view.viewers ? viewerAngles() : view;
  return bounded(from, from.longitude, from.latitude, from.distance * factor, reach);
}

bool fromLink(double longitude, double latitude, double distance, const double* centre,
              const Reach& reach, View* view) {
  bool finite = std::isfinite(longitude) && std::isfinite(latitude) && std::isfinite(distance);
  for (int k = 0; centre != nullptr && k < 3; ++k) finite = finite && std::isfinite(centre[k]);
  if (!finite) return false;
  View from;
  for (int k = 0; centre != nullptr && k < 3; ++k) from.centre[k] = centre[k];
  *view = bounded(from, longitude, latitude, distance, reach);
  return true;
}

bool captionInView(const Camera& c, int width, int height) {
  const Matrix modelview = modelviewOf(c);
  const Matrix projection = perspectiveMatrix(kFieldOfView, kAspect, kNearPlane, kFarPlane);
  const RasterPosition at = rasterPosition(modelview, projection, kCaptionPosition, width, height);
  return at.valid && at.x >= 0 && at.x < static_cast<float>(width) && at.y >= 0 &&
         at.y < static_cast<float>(height);
}
