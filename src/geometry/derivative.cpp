#include "geometry/derivative.h"

#include <cmath>

#include "geometry/surface.h"

namespace {

// The step as the arithmetic takes it: (x + h) - (x - h) rounded, so that the division is by
// the distance between the two points actually evaluated.
struct Step {
  double below, above, width;
};

Step stepAround(double x) {
  const double below = x - kDerivativeStep, above = x + kDerivativeStep;
  return {below, above, above - below};
}

Vector3 difference(const Vector3& a, const Vector3& b, double width) {
  return {(a.x - b.x) / width, (a.y - b.y) / width, (a.z - b.z) / width};
}

}  // namespace

SurfaceNormal surfaceNormalAt(const PointFunction& point, double u, double v) {
  SurfaceNormal s;
  s.point = point(u, v);
  const Step du = stepAround(u), dv = stepAround(v);
  s.ru = difference(point(du.above, v), point(du.below, v), du.width);
  s.rv = difference(point(u, dv.above), point(u, dv.below), dv.width);
  s.cross = s.ru.cross(s.rv);
  const double scale = s.ru.length() + s.rv.length();
  const double length = s.cross.length();
  // No guard here, unlike the facet normal's: a normal too small to have a direction is said
  // to be missing rather than divided into one.
  s.defined = std::isfinite(length) && length > 0 && length > kNoNormalShare * scale * scale;
  if (s.defined) s.normal = {s.cross.x / length, s.cross.y / length, s.cross.z / length};
  return s;
}

SurfaceNormal surfaceNormalAtMiddle(const PointFunction& point, const GridCell& g) {
  return surfaceNormalAt(point, (g.u + g.uNext) / 2, (g.v + g.vNext) / 2);
}

double angleDegrees(const Vector3& a, const Vector3& b) {
  if (a.length() == 0 || b.length() == 0) return -1;
  constexpr double kDegrees = 180 / kFullPi;
  return std::atan2(a.cross(b).length(), a.x * b.x + a.y * b.y + a.z * b.z) * kDegrees;
}
