#include "line_rectangle.h"

#include <algorithm>
#include <cmath>

namespace {

struct Vec2 {
  float v[2];
  float& operator[](int i) { return v[i]; }
  float operator[](int i) const { return v[i]; }
};

// How far inside one of the planes near, far, |x| <= 2w, |y| <= 2w a clip-space point lies:
// widened across, so that the window coordinates of a clipped line stay small.
template <typename Real>
Real inside(int plane, const Real p[4]) {
  switch (plane) {
    case 0:
      return p[3] + p[2];
    case 1:
      return p[3] - p[2];
    case 2:
      return 2 * p[3] + p[0];
    case 3:
      return 2 * p[3] - p[0];
    case 4:
      return 2 * p[3] + p[1];
    default:
      return 2 * p[3] - p[1];
  }
}

// Clips the segment s-f to the first `planes` planes in `Real`; false when none of it is left.
template <typename Real>
bool clipIn(const float start[4], const float end[4], int planes, float outStart[4],
            float outEnd[4]) {
  Real s[4], f[4];
  for (int k = 0; k < 4; ++k) {
    s[k] = start[k];
    f[k] = end[k];
  }
  for (int plane = 0; plane < planes; ++plane) {
    const Real ds = inside(plane, s), df = inside(plane, f);
    if (ds < 0 && df < 0) return false;
    if (ds < 0) {
      const Real t = ds / (ds - df);
      for (int k = 0; k < 4; ++k) s[k] = s[k] + t * (f[k] - s[k]);
    } else if (df < 0) {
      const Real t = df / (df - ds);
      for (int k = 0; k < 4; ++k) f[k] = f[k] + t * (s[k] - f[k]);
    }
  }
  for (int k = 0; k < 4; ++k) {
    outStart[k] = static_cast<float>(s[k]);
    outEnd[k] = static_cast<float>(f[k]);
  }
  return true;
}

// Whether a clipped end can be divided by its w: in front of the eye, every number finite.
bool usable(const float p[4]) {
  return p[3] > 0 && std::isfinite(p[0]) && std::isfinite(p[1]) && std::isfinite(p[2]) &&
         std::isfinite(p[3]);
}

// Clips the segment s-f to the first `planes` planes; false when none of it is left. In single
// precision, as Mesa clips, so that its pixels are drawn; where a surface far wider than the
// view (X = 1e8 u) reaches clip coordinates whose float rounding exceeds w itself and leaves an
// end behind the eye or not finite, again in double.
bool clip(float s[4], float f[4], int planes) {
  float fs[4], ff[4];
  if (!clipIn<float>(s, f, planes, fs, ff)) return false;
  if (!usable(fs) || !usable(ff)) {
    float ds[4], df[4];
    if (!clipIn<double>(s, f, planes, ds, df)) return false;
    std::copy(ds, ds + 4, fs);
    std::copy(df, df + 4, ff);
  }
  std::copy(fs, fs + 4, s);
  std::copy(ff, ff + 4, f);
  return true;
}

bool notNegative(float x) { return x >= 0.0f; }
float fract(float x) { return x - std::floor(x); }

// Whether a diamond-exit line covers the pixel its start `p` lies in (atStart) or the one its
// end lies in, in the desktop window's coordinates (y down). `toward` runs from start to end,
// `major` is its major axis, `slope` its minor change per unit of the major, and `diff` where
// `p` lies from its pixel's centre.
bool leavesDiamond(Vec2 p, Vec2 diff, Vec2 toward, int major, float slope, bool atStart) {
  const int minor = 1 - major;
  if (std::fabs(diff[0]) + std::fabs(diff[1]) < 0.5f) return atStart;
  // Past the centre the way the line goes: a start never enters its diamond again, and an
  // end before it never reaches it.
  const bool past = major == 0 ? notNegative(diff[0]) == notNegative(toward[0])
                               : notNegative(-diff[1]) == notNegative(-toward[1]);
  if (atStart == past) return false;
  const bool crossesMinor = major == 0 ? notNegative(-diff[1]) != notNegative(-toward[1])
                                       : notNegative(diff[0]) != notNegative(toward[0]);
  if (atStart == crossesMinor) return true;
  const float crossing = fract(p[minor]) + diff[major] * slope;
  return crossing < 1.0f && (major == 1 && !atStart ? crossing >= 0.0f : crossing > 0.0f);
}

// The end `atStart` of the line a-b (desktop window coordinates, y down), moved along the line
// to a pixel's edge where the rectangle's edge and the diamond-exit rule disagree.
Vec2 lineEnd(Vec2 a, Vec2 b, bool atStart) {
  const Vec2 toward{{b[0] - a[0], b[1] - a[1]}};
  const int major = std::fabs(toward[0]) >= std::fabs(toward[1]) ? 0 : 1;
  const int minor = 1 - major;
  const float slope = toward[minor] / toward[major];
  const Vec2 p = atStart ? a : b;
  Vec2 diff{{p[0] - std::floor(p[0]) - 0.5f, p[1] - std::floor(p[1]) - 0.5f}};
  if (!atStart && diff[minor] == -0.5f && toward[minor] > 0.0f) diff[minor] = 0.5f;
  const bool diamond = leavesDiamond(p, diff, toward, major, slope, atStart);
  const bool forward = toward[major] > 0.0f;
  bool rectangle;
  if (major == 0) {
    rectangle = atStart == forward ? diff[0] <= 0.0f : diff[0] > 0.0f;
  } else {  // the bottom-edge rule of a window whose y runs down
    rectangle = atStart == forward ? diff[1] < 0.0f : diff[1] >= 0.0f;
  }
  Vec2 end = p;
  if (rectangle != diamond) {
    const float shift = forward ? -diff[major] - 0.5f : -diff[major] + 0.5f;
    end[major] += shift;
    end[minor] += shift * slope;
  }
  return end;
}

// A clip-space point in the desktop's window coordinates: y down, depth 0 to 1.
void desktopWindow(const float clip[4], float width, float height, float out[3]) {
  const float oow = 1.0f / clip[3];
  const float halfWidth = 0.5f * width, halfHeight = 0.5f * height;
  out[0] = clip[0] * oow * halfWidth + halfWidth;
  out[1] = clip[1] * oow * -halfHeight + halfHeight;
  out[2] = clip[2] * oow * 0.5f + 0.5f;
}

// The depth plane of a line, from its ends clipped only to the near and far planes, as Mesa
// clips.
void depthPlane(const float start[4], const float end[4], float width, float height,
                float plane[3]) {
  float v1[3], v2[3];
  desktopWindow(start, width, height, v1);
  desktopWindow(end, width, height, v2);
  const float dx = v1[0] - v2[0], dy = v1[1] - v2[1];
  const float oneOverArea = 1.0f / (dx * dx + dy * dy);
  float infoDx = 0.0f, infoDy = 0.0f;
  if (std::fabs(dx) >= std::fabs(dy)) {
    const float dydx = dy / dx;
    infoDx = dx * (1.0f + dydx * dydx);
  } else {
    const float dxdy = dx / dy;
    infoDy = dy * (1.0f + dxdy * dxdy);
  }
  const float da21 = v1[2] - v2[2];
  const float dadx = da21 * infoDx * oneOverArea;
  const float dady = da21 * infoDy * oneOverArea;
  plane[0] = v1[2] - (dadx * (v1[0] - 0.5f) + dady * (v1[1] - 0.5f));
  plane[1] = dadx;
  plane[2] = dady;
}

}  // namespace

LineRectangle lineRectangle(const float start[4], const float end[4], float width, float height,
                            float lineWidth) {
  LineRectangle line{};
  float s[4], f[4];
  for (int k = 0; k < 4; ++k) {
    s[k] = start[k];
    f[k] = end[k];
  }
  if (!clip(s, f, 6)) return line;
  // Window coordinates as the page's viewport takes them (y up), then the desktop's (y down).
  const float sx = (s[0] / s[3] * 0.5f + 0.5f) * width, sy = (s[1] / s[3] * 0.5f + 0.5f) * height;
  const float fx = (f[0] / f[3] * 0.5f + 0.5f) * width, fy = (f[1] / f[3] * 0.5f + 0.5f) * height;
  if (sx == fx && sy == fy) return line;  // a line of no length draws nothing
  const Vec2 a{{sx, height - sy}}, b{{fx, height - fy}};
  const int major = std::fabs(b[0] - a[0]) >= std::fabs(b[1] - a[1]) ? 0 : 1;
  const float half = 0.5f * lineWidth;
  for (int end = 0; end < 2; ++end) {
    const Vec2 p = lineEnd(a, b, end == 0);
    for (int side = 0; side < 2; ++side) {
      Vec2 corner = p;
      corner[1 - major] += (side == 0 ? -1.0f : 1.0f) * half;
      line.corners[2 * end + side][0] = corner[0];
      line.corners[2 * end + side][1] = height - corner[1];
    }
  }
  float zs[4], zf[4];
  for (int k = 0; k < 4; ++k) {
    zs[k] = start[k];
    zf[k] = end[k];
  }
  clip(zs, zf, 2);
  depthPlane(zs, zf, width, height, line.depth);
  line.visible = true;
  return line;
}
