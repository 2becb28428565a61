// The surface's own normal: the partial derivatives r_u and r_v of a point function, worked out
// the same way for a built-in surface and one of one's own, and N = normalise(r_u x r_v) where
// they span a plane. A facet normal, normalise(e2 x e1), is its finite-difference stand-in: for
// a small cell e2 x e1 is about r_u x r_v du dv, so the two point the same way.
#pragma once

#include "geometry/cell.h"

// Central differences, (P(u + h) - P(u - h)) / 2h with h = kDerivativeStep, divided by the
// step the arithmetic actually took. Their error is at most h^2 / 6 max|P'''| (truncation)
// plus about eps max|P| / h (rounding): below 1e-9 of |r_u| and |r_v| for every built-in
// surface and a torus, which the tests hold to 1e-7.
constexpr double kDerivativeStep = 1.0 / 131072;  // 2^-17
// Below this share of (|r_u| + |r_v|)^2, |r_u x r_v| is no direction: the derivatives are
// parallel or vanish (a cone's apex, a pole, a surface collapsed to a curve).
constexpr double kNoNormalShare = 1e-8;

struct SurfaceNormal {
  Vector3 point;   // P(u, v)
  Vector3 ru, rv;  // the partial derivatives there
  Vector3 cross;   // r_u x r_v
  bool defined = false;
  Vector3 normal;  // normalise(r_u x r_v) where `defined`; the zero vector otherwise
};

// The point, derivatives and own normal of the surface `point` at (u, v).
SurfaceNormal surfaceNormalAt(const PointFunction& point, double u, double v);

// The middle of a cell's parameter range, ((u + uNext) / 2, (v + vNext) / 2), where its own
// normal is taken.
SurfaceNormal surfaceNormalAtMiddle(const PointFunction& point, const GridCell& cell);

// The angle between two unit vectors, in degrees, accurate near 0 and 180 (atan2 of the sine
// and cosine); negative when either is the zero vector.
double angleDegrees(const Vector3& a, const Vector3& b);
