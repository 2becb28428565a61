// The one value type of the geometry: surface points, edges, normals and cell centres.
#pragma once

#include <cmath>

// Smallest divisor magnitude dividedBy accepts: a collapsed edge then normalises to the zero
// vector instead of to NaNs.
constexpr double kMinDivisor = 0.00001;

struct Vector3 {
  double x = 0.0;
  double y = 0.0;
  double z = 0.0;

  double length() const { return std::sqrt(x * x + y * y + z * z); }

  Vector3 dividedBy(double d) const {
    if (std::fabs(d) < kMinDivisor) {
      d = d < 0.0 ? -kMinDivisor : kMinDivisor;
    }
    return {x / d, y / d, z / d};
  }

  Vector3 normalized() const { return dividedBy(length()); }

  // this × o; the order decides which side of a cell its normal points to.
  Vector3 cross(const Vector3& o) const {
    return {y * o.z - z * o.y, z * o.x - x * o.z, x * o.y - y * o.x};
  }
};

inline Vector3 operator+(const Vector3& a, const Vector3& b) {
  return {a.x + b.x, a.y + b.y, a.z + b.z};
}

inline Vector3 operator-(const Vector3& a, const Vector3& b) {
  return {a.x - b.x, a.y - b.y, a.z - b.z};
}
