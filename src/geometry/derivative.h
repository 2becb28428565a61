// The surface's own normal: the partial derivatives r_u and r_v of a point function, worked out
// the same way for a built-in surface and one of one's own, and N = normalise(r_u x r_v) where
// they are smooth, span a plane and can be told apart from rounding. A facet normal is its
// finite-difference stand-in: for a small cell e2 x e1 is about r_u x r_v du dv.
#pragma once

#include <string>

#include "geometry/cell.h"

// Central differences, (P(x + h) - P(x - h)) / 2h with h = kDerivativeStep max(1, |x|) (the
// step grows with the parameter, so that x + h differs from x however large x is), divided by
// the step the arithmetic actually took. The error of each coordinate is bounded at run time by
// the difference between the steps h and 2h (truncation, and any rounding that shows) plus
// 4 eps max|P| / h (rounding in P's coordinate, |P| the largest any point evaluated holds).
constexpr double kDerivativeStep = 1.0 / 131072;  // 2^-17
// The share of its own length by which rounding may make N wrong before it is not shown.
constexpr double kReliableShare = 1e-6;

enum class OwnNormal {
  kDefined,     // N is worth showing
  kNone,        // r_u or r_v vanishes (a pole, a cone's apex) or they are parallel
  kNotSmooth,   // a kink: the differences on either side of the point disagree
  kUnreliable,  // rounding in P's coordinates makes r_u, r_v or N too uncertain
  kUndefined,   // P is not defined (or not finite) around the point
};

struct SurfaceNormal {
  Vector3 point;   // P(u, v)
  Vector3 ru, rv;  // the partial derivatives there
  Vector3 cross;   // r_u x r_v
  OwnNormal status = OwnNormal::kUndefined;
  bool defined = false;  // status is kDefined
  Vector3 normal;        // normalise(r_u x r_v) where `defined`; the zero vector otherwise
  double error = 0;      // a bound on |N - the true N| where `defined`, from the bounds above
  std::string why;       // where not `defined`, why not, for a person
};

// The point, derivatives and own normal of the surface `point` at (u, v).
SurfaceNormal surfaceNormalAt(const PointFunction& point, double u, double v);

// The middle of a cell's parameter range, ((u + uNext) / 2, (v + vNext) / 2), where its own
// normal is taken.
SurfaceNormal surfaceNormalAtMiddle(const PointFunction& point, const GridCell& cell);

// The angle between two unit vectors, in degrees, accurate near 0 and 180 (atan2 of the sine
// and cosine); negative when either is the zero vector.
double angleDegrees(const Vector3& a, const Vector3& b);
