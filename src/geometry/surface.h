// The catalogue of six parametric surfaces the viewer shows.
#pragma once

#include "geometry/vector3.h"

// Truncated on purpose: every picture and caption of the viewer is made with this value of the
// circle constant, not with full-precision pi. Do not "fix" it.
constexpr double kPi = 3.141592;
constexpr double kTwoPi = 6.283184;
constexpr double kHalfPi = 1.570796;
// The circle constant to a double's precision, for everything but the built-in surfaces: the
// constant a formula names, the view's degrees, the angle between two normals.
constexpr double kFullPi = 3.141592653589793;

// Point of surface `index` (0 to 5) at parameters (u, v), shifted by the animation phase while
// the animation is on. Any other index gives the origin.
Vector3 surfacePoint(unsigned index, double u, double v);
// The same with the animation as given, whatever the viewer's state.
Vector3 surfacePoint(unsigned index, double u, double v, bool animate, float phase);
