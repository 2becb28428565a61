#include "geometry/derivative.h"

#include <cfloat>
#include <cmath>
#include <cstdio>

#include "geometry/surface.h"

namespace {

// Ulps a formula may be off by in each coordinate, for the rounding bound.
constexpr double kUlps = 4;

Vector3 scaled(const Vector3& a, double k) { return {a.x * k, a.y * k, a.z * k}; }
Vector3 absolute(const Vector3& a) { return {std::fabs(a.x), std::fabs(a.y), std::fabs(a.z)}; }
// Of finite coordinates: a comparison, not libm's fmax, which is a call.
Vector3 largest(const Vector3& a, const Vector3& b) {
  return {a.x > b.x ? a.x : b.x, a.y > b.y ? a.y : b.y, a.z > b.z ? a.z : b.z};
}
bool finite(const Vector3& a) {
  return std::isfinite(a.x) && std::isfinite(a.y) && std::isfinite(a.z);
}
// Componentwise |a| x |b| with every product added: a bound on how far a x b moves when a and
// b move by at most |a| and |b| in each coordinate.
Vector3 crossBound(const Vector3& a, const Vector3& b) {
  return {a.y * b.z + a.z * b.y, a.z * b.x + a.x * b.z, a.x * b.y + a.y * b.x};
}

// The points around x along one parameter, at x -+ h and x -+ 2h, each with the step as the
// arithmetic takes it, so that every division is by the distance actually between the two.
struct Stencil {
  double h = 0;
  double x[5] = {};  // x - 2h, x - h, x, x + h, x + 2h
  Vector3 p[5];
};

Stencil around(const PointFunction& point, double u, double v, bool alongU) {
  Stencil s;
  const double x = alongU ? u : v;
  s.h = kDerivativeStep * std::fmax(1.0, std::fabs(x));
  for (int k = 0; k < 5; ++k) {
    s.x[k] = k == 2 ? x : x + (k - 2) * s.h;
    s.p[k] = alongU ? point(s.x[k], v) : point(u, s.x[k]);
  }
  return s;
}

Vector3 slope(const Stencil& s, int from, int to) {
  return scaled(s.p[to] - s.p[from], 1.0 / (s.x[to] - s.x[from]));
}

struct Partial {
  Vector3 value;     // the central difference at h
  Vector3 rounding;  // a bound on what rounding in P's coordinates does to each coordinate
  Vector3 bound;     // that and the truncation together
  bool kink = false;
};

// `biggest` holds the largest magnitude of each coordinate among all the points evaluated.
Partial partialOf(const Stencil& s, const Vector3& biggest) {
  Partial d;
  d.value = slope(s, 1, 3);
  // A coordinate that takes the same value at all five points is taken not to depend on the
  // parameter, and its difference, exactly 0, to have no rounding: a plane at 1e12 keeps its
  // normal, while a coordinate that changes far below its own rounding still shows as noise.
  const auto varies = [&s](double Vector3::*c) {
    for (const Vector3& p : s.p) {
      if (p.*c != s.p[2].*c) return 1.0;
    }
    return 0.0;
  };
  const double k = kUlps * DBL_EPSILON / s.h;
  d.rounding = {k * biggest.x * varies(&Vector3::x), k * biggest.y * varies(&Vector3::y),
                k * biggest.z * varies(&Vector3::z)};
  d.bound = absolute(slope(s, 0, 4) - d.value) + d.rounding;
  // On a smooth surface the one-sided slopes differ by about h P'', twice that at 2h; at a kink
  // by the jump in slope, whatever the step. What the curvature does not explain, beyond their
  // rounding (five times the central difference's), is a kink.
  const Vector3 near = slope(s, 2, 3) - slope(s, 1, 2), far = slope(s, 2, 4) - slope(s, 0, 2);
  const Vector3 unexplained = absolute(near - scaled(far, 0.5));
  const Vector3 allowed = scaled(d.rounding, 5);
  const double share = kReliableShare * d.value.length();
  d.kink = unexplained.x > allowed.x + share || unexplained.y > allowed.y + share ||
           unexplained.z > allowed.z + share;
  return d;
}

// Whether every coordinate of r is within its bound of 0: r is rounding, not a direction.
bool vanishes(const Partial& d) {
  return std::fabs(d.value.x) <= d.bound.x && std::fabs(d.value.y) <= d.bound.y &&
         std::fabs(d.value.z) <= d.bound.z;
}

// The share of its length by which rounding may make r wrong.
double roundingShare(const Partial& d) { return d.rounding.length() / d.value.length(); }

std::string text(const char* format, double x) {
  char out[200];
  std::snprintf(out, sizeof out, format, x);
  return out;
}

// Sets status and why of `s` from r_u and r_v with their bounds.
void judge(SurfaceNormal* s, const Partial& du, const Partial& dv, double sizeOfP) {
  const bool uVanishes = vanishes(du), vVanishes = vanishes(dv);
  // Only a normal that is missing has its reason written out.
  const auto rounding = [sizeOfP] { return text(" (P is as large as %.3g around here)", sizeOfP); };
  s->status = OwnNormal::kUnreliable;
  if (du.kink || dv.kink) {
    s->status = OwnNormal::kNotSmooth;
    s->why = std::string("the surface is not smooth here: the differences on either side along ") +
             (du.kink ? "u" : "v") + " disagree (a kink)";
  } else if (uVanishes && vVanishes) {
    const bool still = du.value.length() == 0 && dv.value.length() == 0;
    if (still) s->status = OwnNormal::kNone;
    s->why = still ? "P does not change with u or v here"
                   : "rounding in P's coordinates is as large as r_u and r_v" + rounding();
  } else if (uVanishes || vVanishes) {
    if (roundingShare(uVanishes ? dv : du) <= kReliableShare) s->status = OwnNormal::kNone;
    s->why = std::string(uVanishes ? "r_u" : "r_v") +
             (s->status == OwnNormal::kNone
                  ? " vanishes here: the cells' edges along it collapse to a point (a pole, an apex)"
                  : " is lost in rounding" + rounding());
  } else if (roundingShare(du) > kReliableShare || roundingShare(dv) > kReliableShare) {
    const bool u = roundingShare(du) > kReliableShare;
    s->why = std::string("rounding in P's coordinates could make ") + (u ? "r_u" : "r_v") +
             " wrong by " + text("%.2g of its length", roundingShare(u ? du : dv)) + rounding();
  } else {
    const Vector3 moved = crossBound(du.bound, absolute(dv.value)) +
                          crossBound(absolute(du.value), dv.bound) +
                          crossBound(du.bound, dv.bound);
    const double length = s->cross.length(), error = moved.length();
    if (error >= length) {
      s->status = OwnNormal::kNone;
      s->why = "r_u and r_v are parallel here: they span no plane";
    } else if (error > kReliableShare * length) {
      s->why = "r_u and r_v are so nearly parallel that their errors could turn N by up to " +
               text("%.2g", error / length);
    } else {
      s->status = OwnNormal::kDefined;
      s->error = error / length;
    }
  }
  if (s->status == OwnNormal::kUnreliable) {
    s->why = "the own normal cannot be computed reliably here: " + s->why;
  }
}

}  // namespace

SurfaceNormal surfaceNormalAt(const PointFunction& point, double u, double v) {
  SurfaceNormal s;
  const Stencil alongU = around(point, u, v, true), alongV = around(point, u, v, false);
  s.point = alongU.p[2];
  s.ru = slope(alongU, 1, 3);
  s.rv = slope(alongV, 1, 3);
  s.cross = s.ru.cross(s.rv);
  Vector3 biggest;
  for (const Stencil* st : {&alongU, &alongV}) {
    for (const Vector3& p : st->p) {
      if (!finite(p)) {
        s.why = "the surface is not defined at or beside this point";
        return s;
      }
      biggest = largest(biggest, absolute(p));
    }
  }
  judge(&s, partialOf(alongU, biggest), partialOf(alongV, biggest), biggest.length());
  s.defined = s.status == OwnNormal::kDefined;
  const double length = s.cross.length();
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
