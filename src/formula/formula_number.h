// A number typed as a formula's constant part may be: `2*pi`, `pi/2`, `-1.5`, `1e-3`, evaluated
// by the same parser as the formulas, for the ranges of one's own surface.
#pragma once

#include <string>

// The value of `text` in `value`, and ""; or else why it is not a number, for a person, named
// for `field` ("u to: unknown name \"w\" at column 3"), `value` unchanged. Only pi, PI and e may
// be named; the value must be finite.
std::string evaluateNumber(const std::string& field, const std::string& text, double* value);
