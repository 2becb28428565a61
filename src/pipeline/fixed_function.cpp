#include "pipeline/fixed_function.h"

#include <cmath>

namespace {

float& at(Matrix& m, int row, int column) { return m.m[column * 4 + row]; }
float at(const Matrix& m, int row, int column) { return m.m[column * 4 + row]; }

void normalize(float v[3]) {
  const float r = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
  if (r == 0.0f) return;
  v[0] /= r;
  v[1] /= r;
  v[2] /= r;
}

void cross(const float a[3], const float b[3], float out[3]) {
  out[0] = a[1] * b[2] - a[2] * b[1];
  out[1] = a[2] * b[0] - a[0] * b[2];
  out[2] = a[0] * b[1] - a[1] * b[0];
}

}  // namespace

Matrix identityMatrix() { return {{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}}; }

Matrix multiply(const Matrix& a, const Matrix& b) {
  Matrix p{};
  for (int i = 0; i < 4; ++i) {
    const float ai0 = at(a, i, 0), ai1 = at(a, i, 1), ai2 = at(a, i, 2), ai3 = at(a, i, 3);
    for (int j = 0; j < 4; ++j) {
      at(p, i, j) = ai0 * at(b, 0, j) + ai1 * at(b, 1, j) + ai2 * at(b, 2, j) + ai3 * at(b, 3, j);
    }
  }
  return p;
}

Matrix perspectiveMatrix(double fovy, double aspect, double zNear, double zFar) {
  const double radians = fovy / 2 * M_PI / 180;
  const double deltaZ = zFar - zNear;
  const double cotangent = std::cos(radians) / std::sin(radians);
  double d[16] = {};
  d[0] = cotangent / aspect;
  d[5] = cotangent;
  d[10] = -(zFar + zNear) / deltaZ;
  d[11] = -1;
  d[14] = -2 * zNear * zFar / deltaZ;
  Matrix p{};
  for (int i = 0; i < 16; ++i) p.m[i] = static_cast<float>(d[i]);
  return p;
}

Matrix lookAt(const Matrix& m, double eyeX, double eyeY, double eyeZ, double centerX,
              double centerY, double centerZ, double upX, double upY, double upZ) {
  float forward[3] = {static_cast<float>(centerX - eyeX), static_cast<float>(centerY - eyeY),
                      static_cast<float>(centerZ - eyeZ)};
  float up[3] = {static_cast<float>(upX), static_cast<float>(upY), static_cast<float>(upZ)};
  float side[3];
  normalize(forward);
  cross(forward, up, side);
  normalize(side);
  cross(side, forward, up);
  Matrix r = identityMatrix();
  for (int k = 0; k < 3; ++k) {
    at(r, 0, k) = side[k];
    at(r, 1, k) = up[k];
    at(r, 2, k) = -forward[k];
  }
  Matrix t = multiply(m, r);
  // The translation as the library applies one to a matrix, in single precision.
  const float x = static_cast<float>(-eyeX), y = static_cast<float>(-eyeY),
              z = static_cast<float>(-eyeZ);
  for (int i = 0; i < 4; ++i) {
    at(t, i, 3) = at(t, i, 0) * x + at(t, i, 1) * y + at(t, i, 2) * z + at(t, i, 3);
  }
  return t;
}

void normalMatrix(const Matrix& mv, float n[9]) {
  // Cofactors of the upper 3 x 3 over its determinant: the inverse; read transposed.
  const float a = at(mv, 0, 0), b = at(mv, 0, 1), c = at(mv, 0, 2);
  const float d = at(mv, 1, 0), e = at(mv, 1, 1), f = at(mv, 1, 2);
  const float g = at(mv, 2, 0), h = at(mv, 2, 1), k = at(mv, 2, 2);
  const float cofactor[9] = {e * k - f * h, f * g - d * k, d * h - e * g,
                             c * h - b * k, a * k - c * g, b * g - a * h,
                             b * f - c * e, c * d - a * f, a * e - b * d};
  const float det = a * cofactor[0] + b * cofactor[1] + c * cofactor[2];
  for (int i = 0; i < 9; ++i) n[i] = cofactor[i] / det;
}

void setLightPosition(Lighting* light, const Matrix& mv, const float p[4]) {
  float eye[3];
  for (int i = 0; i < 3; ++i) {
    eye[i] = at(mv, i, 0) * p[0] + at(mv, i, 1) * p[1] + at(mv, i, 2) * p[2] + at(mv, i, 3) * p[3];
  }
  normalize(eye);
  for (int i = 0; i < 3; ++i) light->direction[i] = eye[i];
}

void litColour(const Lighting& light, const float colour[3], const float normal[3], float out[3]) {
  const float nDotL =
      std::fmax(0.0f, normal[0] * light.direction[0] + normal[1] * light.direction[1] +
                          normal[2] * light.direction[2]);
  for (int i = 0; i < 3; ++i) {
    const float c = light.sceneAmbient[i] * colour[i] + light.ambient[i] * colour[i] +
                    nDotL * light.diffuse[i] * colour[i];
    out[i] = std::fmin(1.0f, std::fmax(0.0f, c));
  }
}

RasterPosition rasterPosition(const Matrix& mv, const Matrix& projection, const double p[4],
                              int width, int height) {
  // Not as a vertex: the modelview, then the projection, each on its own.
  const float v[4] = {static_cast<float>(p[0]), static_cast<float>(p[1]), static_cast<float>(p[2]),
                      static_cast<float>(p[3])};
  float eye[4], clip[4];
  for (int i = 0; i < 4; ++i) {
    eye[i] = at(mv, i, 0) * v[0] + at(mv, i, 1) * v[1] + at(mv, i, 2) * v[2] + at(mv, i, 3) * v[3];
  }
  for (int i = 0; i < 4; ++i) {
    clip[i] = at(projection, i, 0) * eye[0] + at(projection, i, 1) * eye[1] +
              at(projection, i, 2) * eye[2] + at(projection, i, 3) * eye[3];
  }
  for (int i = 0; i < 3; ++i) {
    if (clip[i] > clip[3] || clip[i] < -clip[3]) return {false, 0, 0, 0};
  }
  const float d = clip[3] == 0.0f ? 1.0f : 1.0f / clip[3];
  const float halfWidth = 0.5f * static_cast<float>(width);
  const float halfHeight = 0.5f * static_cast<float>(height);
  return {true, clip[0] * d * halfWidth + halfWidth, clip[1] * d * halfHeight + halfHeight,
          clip[2] * d * 0.5f + 0.5f};
}

void eyeNormal(const Matrix& modelview, const float normal[3], float out[3]) {
  float toEye[9];
  normalMatrix(modelview, toEye);
  for (int i = 0; i < 3; ++i) {
    out[i] = toEye[3 * i] * normal[0] + toEye[3 * i + 1] * normal[1] + toEye[3 * i + 2] * normal[2];
  }
}

int colourLevel(float channel) {
  return static_cast<int>(std::lround(std::fmin(1.0f, std::fmax(0.0f, channel)) * 255.0f));
}
