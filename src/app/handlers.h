// The keyboard and idle handlers: the only writers of the viewer state.
#pragma once

#include "geometry/surface.h"

// Idle calls in one full oscillation of the phase.
constexpr int kIdleCallsPerSwing = 300;
// Clock increment per idle call: the surfaces' own (truncated) 2 pi over one oscillation.
constexpr double kPhaseStep = kTwoPi / kIdleCallsPerSwing;
// Full-precision period of the phase's sine; the clock wraps by it so its float steps stay fine.
constexpr double kClockPeriod = 6.283185307179586;

// The two keys that do not show the next surface.
constexpr unsigned char kEscape = 27;
constexpr unsigned char kSpace = 32;

// Escape quits with status 1, space switches the animation, any other key shows the next
// surface.
void onKeyboard(unsigned char key, int x, int y);
// Advances the animation clock and requests the next frame.
void onIdle();
