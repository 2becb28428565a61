#include "explorer/view.h"

#include <algorithm>
#include <cmath>

#include "app/startup.h"
#include "pipeline/fixed_function.h"

namespace {

// To the hundredth: a link to a view reads as a person would type it, and gives back exactly
// the view shown (the nearest double to a number of hundredths prints as that number).
double hundredths(double x) { return std::round(x * 100) / 100; }

View bounded(double longitude, double latitude, double distance) {
  View v;
  v.ownCamera = false;
  v.longitude = hundredths(std::remainder(longitude, 360.0));
  v.latitude = hundredths(std::clamp(latitude, -kLatitudeLimit, kLatitudeLimit));
  v.distance = hundredths(std::clamp(distance, kNearest, kFurthest));
  return v;
}

}  // namespace

Camera cameraOf(const View& view) {
  if (view.ownCamera) return kViewerCamera;
  const double lon = view.longitude * kDegree, lat = view.latitude * kDegree;
  const double d = view.distance;
  return {{d * std::cos(lat) * std::sin(lon), d * std::sin(lat), d * std::cos(lat) * std::cos(lon)},
          {kCentre[0], kCentre[1], kCentre[2]},
          {kUp[0], kUp[1], kUp[2]}};
}

View viewerAngles() {
  const double* e = kEye;
  const double d = std::sqrt(e[0] * e[0] + e[1] * e[1] + e[2] * e[2]);
  View v;
  v.ownCamera = false;
  v.longitude = std::atan2(e[0], e[2]) / kDegree;
  v.latitude = std::asin(e[1] / d) / kDegree;
  v.distance = d;
  return v;
}

View turned(const View& view, double longitude, double latitude) {
  const View from = view.ownCamera ? viewerAngles() : view;
  return bounded(from.longitude + longitude, from.latitude + latitude, from.distance);
}

View zoomed(const View& view, double factor) {
  const View from = view.ownCamera ? viewerAngles() : view;
  return bounded(from.longitude, from.latitude, from.distance * factor);
}

bool fromLink(double longitude, double latitude, double distance, View* view) {
  if (!std::isfinite(longitude) || !std::isfinite(latitude) || !std::isfinite(distance)) {
    return false;
  }
  *view = bounded(longitude, latitude, distance);
  return true;
}

bool captionInView(const Camera& c, int width, int height) {
  const Matrix modelview = lookAt(identityMatrix(), c.eye[0], c.eye[1], c.eye[2], c.centre[0],
                                  c.centre[1], c.centre[2], c.up[0], c.up[1], c.up[2]);
  const Matrix projection = perspectiveMatrix(kFieldOfView, kAspect, kNearPlane, kFarPlane);
  const RasterPosition at = rasterPosition(modelview, projection, kCaptionPosition, width, height);
  return at.valid && at.x >= 0 && at.x < static_cast<float>(width) && at.y >= 0 &&
         at.y < static_cast<float>(height);
}
