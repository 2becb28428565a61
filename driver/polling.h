// Waiting without luck: every wait polls for what it expects, up to a deadline, so a loaded
// machine only makes it slower.
#pragma once

#include <functional>

// Long enough for a sanitizer build on a loaded machine; a pass takes milliseconds.
constexpr double kDeadline = 30;

// Pauses the caller for `seconds`.
void sleepFor(double seconds);

// Calls `condition` every few milliseconds until it holds; false after `seconds`.
bool pollUntil(const std::function<bool()>& condition, double seconds);
