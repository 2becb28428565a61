#include "explorer/inspect.h"

#include <cmath>
#include <initializer_list>
#include <limits>

#include "app/startup.h"
#include "pipeline/fixed_function.h"

namespace {

Matrix modelviewOf(const Camera& c) {
  return lookAt(identityMatrix(), c.eye[0], c.eye[1], c.eye[2], c.centre[0], c.centre[1],
                c.centre[2], c.up[0], c.up[1], c.up[2]);
}

// (x, y) in window coordinates (y down) and the depth of a corner; false behind the eye.
bool project(const Matrix& mvp, const Vector3& p, int width, int height, double out[3]) {
  const float v[3] = {static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(p.z)};
  float clip[4];
  for (int r = 0; r < 4; ++r) {
    clip[r] = mvp.m[r] * v[0] + mvp.m[4 + r] * v[1] + mvp.m[8 + r] * v[2] + mvp.m[12 + r];
  }
  if (!(clip[3] > 0)) return false;
  out[0] = (clip[0] / clip[3] * 0.5 + 0.5) * width;
  out[1] = (0.5 - clip[1] / clip[3] * 0.5) * height;
  out[2] = clip[2] / clip[3];
  return true;
}

// The depth at (x, y) within the triangle a, b, c (window coordinates), or infinity outside.
double depthWithin(const double* a, const double* b, const double* c, double x, double y) {
  const double area = (b[0] - a[0]) * (c[1] - a[1]) - (c[0] - a[0]) * (b[1] - a[1]);
  if (area == 0) return std::numeric_limits<double>::infinity();
  const double wa = ((b[0] - x) * (c[1] - y) - (c[0] - x) * (b[1] - y)) / area;
  const double wb = ((c[0] - x) * (a[1] - y) - (a[0] - x) * (c[1] - y)) / area;
  const double wc = 1 - wa - wb;
  if (wa < 0 || wb < 0 || wc < 0) return std::numeric_limits<double>::infinity();
  return wa * a[2] + wb * b[2] + wc * c[2];
}

}  // namespace

Inspection inspect(const PointFunction& point, int row, int column, const Camera& camera) {
  Inspection in;
  in.row = row;
  in.column = column;
  in.parameters = gridCell(row, column);
  const GridCell& g = in.parameters;
  in.cell = cellAt(point, g.u, g.uNext, g.v, g.vNext);
  const Cell& c = in.cell;
  in.e1 = c.p01 - c.p00;
  in.e2 = c.p11 - c.p00;
  // The three lengths the normal's three normalisations divide by, as they compute them.
  in.lengths[0] = in.e2.length();
  in.lengths[1] = in.e1.length();
  in.lengths[2] = in.e2.normalized().cross(in.e1.normalized()).length();
  for (double length : in.lengths) in.guarded = in.guarded || std::fabs(length) < kMinDivisor;

  // Lit as the GL layer lights the quad's vertices: its normal in single precision, taken to
  // eye space by the camera's normal matrix, against the light set at start-up.
  float toEye[9];
  normalMatrix(modelviewOf(camera), toEye);
  const float n[3] = {static_cast<float>(c.normal.x), static_cast<float>(c.normal.y),
                      static_cast<float>(c.normal.z)};
  for (int i = 0; i < 3; ++i) {
    in.eyeNormal[i] = toEye[3 * i] * n[0] + toEye[3 * i + 1] * n[1] + toEye[3 * i + 2] * n[2];
  }
  Lighting light;
  for (int i = 0; i < 3; ++i) {
    light.ambient[i] = kLightAmbient[i];
    light.diffuse[i] = kLightDiffuse[i];
  }
  setLightPosition(&light, identityMatrix(), kLightPosition);
  in.normalDotLight = in.eyeNormal[0] * light.direction[0] + in.eyeNormal[1] * light.direction[1] +
                      in.eyeNormal[2] * light.direction[2];
  const float white[3] = {1, 1, 1};
  float lit[3];
  litColour(light, white, in.eyeNormal, lit);
  in.shade = lit[0];
  in.level = static_cast<int>(std::lround(std::fmin(1.0f, std::fmax(0.0f, lit[0])) * 255.0f));

  in.middle[0] = (g.u + g.uNext) / 2;
  in.middle[1] = (g.v + g.vNext) / 2;
  in.own = surfaceNormalAt(point, in.middle[0], in.middle[1]);
  in.angle = in.own.defined ? angleDegrees(c.normal, in.own.normal) : -1;
  return in;
}

int pick(const PointFunction& point, const Camera& camera, double x, double y, int width,
         int height) {
  const Matrix mvp = multiply(perspectiveMatrix(kFieldOfView, kAspect, kNearPlane, kFarPlane),
                              modelviewOf(camera));
  int found = -1, k = 0;
  double nearest = std::numeric_limits<double>::infinity();
  sweepGrid([&](double u, double uNext, double v, double vNext) {
    const Cell c = cellAt(point, u, uNext, v, vNext);
    const int index = k++;
    if (!hasFiniteCorners(c)) return;
    double w[4][3];
    int i = 0;
    for (const Vector3& p : {c.p00, c.p01, c.p11, c.p10}) {
      if (!project(mvp, p, width, height, w[i++])) return;
    }
    // Split as the layer splits a quad: across the diagonal from its first corner.
    const double depth =
        std::fmin(depthWithin(w[0], w[1], w[2], x, y), depthWithin(w[0], w[2], w[3], x, y));
    if (depth < nearest) {
      nearest = depth;
      found = index;
    }
  });
  return found;
}
