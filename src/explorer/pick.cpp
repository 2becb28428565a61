// The cell under a point of the picture, found with the frame's own matrices: each drawn cell's
// two triangles, as the GL layer splits its quad, clipped to the near plane as OpenGL clips
// them (so a cell partly behind the eye is found where it is drawn), projected to the window,
// and the nearest that covers the point.
#include <cmath>
#include <initializer_list>
#include <limits>
#include <vector>

#include "app/startup.h"
#include "explorer/inspect.h"
#include "explorer/view.h"
#include "pipeline/fixed_function.h"

namespace {

struct Clip {
  double x, y, z, w;
};

Clip clipOf(const Matrix& mvp, const Vector3& p) {
  const float v[3] = {static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(p.z)};
  float c[4];
  for (int r = 0; r < 4; ++r) {
    c[r] = mvp.m[r] * v[0] + mvp.m[4 + r] * v[1] + mvp.m[8 + r] * v[2] + mvp.m[12 + r];
  }
  return {c[0], c[1], c[2], c[3]};
}

// What of the polygon `in` lies on the drawn side of the near plane, z >= -w.
std::vector<Clip> clippedToNear(const std::vector<Clip>& in) {
  std::vector<Clip> out;
  for (std::size_t i = 0; i < in.size(); ++i) {
    const Clip& a = in[i];
    const Clip& b = in[(i + 1) % in.size()];
    const double da = a.z + a.w, db = b.z + b.w;
    if (da >= 0) out.push_back(a);
    if ((da >= 0) != (db >= 0)) {
      const double t = da / (da - db);
      out.push_back({a.x + t * (b.x - a.x), a.y + t * (b.y - a.y), a.z + t * (b.z - a.z),
                     a.w + t * (b.w - a.w)});
    }
  }
  return out;
}

struct Window {
  double x, y, depth;
};

// The depth at (x, y) within the triangle a, b, c (window coordinates), or infinity outside.
double depthWithin(const Window& a, const Window& b, const Window& c, double x, double y) {
  const double area = (b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y);
  if (area == 0) return std::numeric_limits<double>::infinity();
  const double wa = ((b.x - x) * (c.y - y) - (c.x - x) * (b.y - y)) / area;
  const double wb = ((c.x - x) * (a.y - y) - (a.x - x) * (c.y - y)) / area;
  const double wc = 1 - wa - wb;
  if (wa < 0 || wb < 0 || wc < 0) return std::numeric_limits<double>::infinity();
  return wa * a.depth + wb * b.depth + wc * c.depth;
}

// The nearest depth at (x, y) of the drawn part of the triangle a, b, c.
double triangleDepth(const Clip& a, const Clip& b, const Clip& c, double x, double y, int width,
                     int height) {
  std::vector<Window> w;
  for (const Clip& p : clippedToNear({a, b, c})) {
    if (!(p.w > 0)) return std::numeric_limits<double>::infinity();
    w.push_back({(p.x / p.w * 0.5 + 0.5) * width, (0.5 - p.y / p.w * 0.5) * height, p.z / p.w});
  }
  double nearest = std::numeric_limits<double>::infinity();
  for (std::size_t i = 1; i + 1 < w.size(); ++i) {
    nearest = std::fmin(nearest, depthWithin(w[0], w[i], w[i + 1], x, y));
  }
  return nearest;
}

}  // namespace

int pick(const PointFunction& point, const Camera& camera, double x, double y, int width,
         int height, const Grid& grid) {
  const Matrix mvp = multiply(perspectiveMatrix(kFieldOfView, kAspect, kNearPlane, kFarPlane),
                              modelviewOf(camera));
  int found = -1, k = 0;
  double nearest = std::numeric_limits<double>::infinity();
  forEachGridCell(point, grid, [&](const GridCell&, const Cell& c) {
    const int index = k++;
    if (!isDrawable(c)) return;
    const Clip q[4] = {clipOf(mvp, c.p00), clipOf(mvp, c.p01), clipOf(mvp, c.p11),
                       clipOf(mvp, c.p10)};
    // Split as the layer splits a quad: across the diagonal from its first corner.
    const double depth = std::fmin(triangleDepth(q[0], q[1], q[2], x, y, width, height),
                                   triangleDepth(q[0], q[2], q[3], x, y, width, height));
    if (depth < nearest) {
      nearest = depth;
      found = index;
    }
  });
  return found;
}
