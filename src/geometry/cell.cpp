#include "geometry/cell.h"

#include <cmath>
#include <initializer_list>
#include <vector>

#include "geometry/surface.h"

static_assert(kGridSize == 21, "the grid is 21 x 21 cells");

namespace {

// The parameters as the sweep makes them, by repeated addition: every cell's start, and the
// last end; the same along u and along v.
const std::vector<double>& gridValues() {
  static const std::vector<double> values = [] {
    std::vector<double> found;
    sweepGrid([&found](double u, double uNext, double, double) {
      if (found.empty()) found.push_back(u);
      if (u == found.back()) found.push_back(uNext);
    });
    return found;
  }();
  return values;
}

}  // namespace

bool isDrawable(const Vector3& p) {
  // Finite and in range in one comparison each: a NaN fails every comparison.
  return std::fabs(p.x) <= kLargestFloat && std::fabs(p.y) <= kLargestFloat &&
         std::fabs(p.z) <= kLargestFloat;
}

std::string whyLeftOut(const Cell& c) {
  const struct {
    const Vector3* p;
    const char* name;
  } parts[] = {{&c.p00, "corner P00"}, {&c.p01, "corner P01"}, {&c.p11, "corner P11"},
               {&c.p10, "corner P10"}, {&c.centre, "centre"},  {&c.normal, "normal"},
               {&c.lineEnd, "red line's end"}};
  for (const auto& part : parts) {
    if (isDrawable(*part.p)) continue;
    const Vector3& p = *part.p;
    const bool undefined = !std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z);
    return std::string("its ") + part.name +
           (undefined ? " is not defined" : " is beyond what single precision holds");
  }
  return "";
}

bool isDrawable(const Cell& c) {
  for (const Vector3* p : {&c.p00, &c.p01, &c.p11, &c.p10, &c.centre, &c.normal, &c.lineEnd}) {
    if (!isDrawable(*p)) return false;
  }
  return true;
}

Cell cellFromCorners(const Vector3& p00, const Vector3& p01, const Vector3& p11,
                     const Vector3& p10) {
  const Vector3 e1 = p01 - p00;  // along v
  const Vector3 e2 = p11 - p00;  // the diagonal
  // The diagonal is the left operand: swapping the two flips every normal, and with it the
  // side each cell is lit from and the way its red line points. A collapsed edge gives the
  // zero normal through the guarded division.
  const Vector3 normal = e2.normalized().cross(e1.normalized()).normalized();
  const Vector3 centre = (((p01 + p00) + p11) + p10).dividedBy(4.0);
  return {p00, p01, p11, p10, normal, centre, normalLineEnd(centre, normal)};
}

namespace {

// Corners are not shared with the neighbours; each cell evaluates its own four, in order.
template <typename Point>
Cell cornersAt(const Point& point, double u, double uNext, double v, double vNext) {
  const Vector3 p00 = point(u, v);
  const Vector3 p01 = point(u, vNext);
  const Vector3 p11 = point(uNext, vNext);
  const Vector3 p10 = point(uNext, v);
  return cellFromCorners(p00, p01, p11, p10);
}

}  // namespace

Cell cellAt(unsigned surface, double u, double uNext, double v, double vNext) {
  return cornersAt([surface](double a, double b) { return surfacePoint(surface, a, b); }, u, uNext,
                   v, vNext);
}

Cell cellAt(const PointFunction& point, double u, double uNext, double v, double vNext) {
  return cornersAt(point, u, uNext, v, vNext);
}

PointFunction builtInSurface(unsigned surface) {
  return [surface](double u, double v) { return surfacePoint(surface, u, v); };
}

PointFunction builtInSurface(unsigned surface, bool animate, float phase) {
  return [surface, animate, phase](double u, double v) {
    return surfacePoint(surface, u, v, animate, phase);
  };
}

double sweepValue(int i) { return gridValues()[i]; }
