// A range's end typed as a formula's constant part: the value of what was typed, or a refusal
// named for the field and saying what is wrong.
#include <gtest/gtest.h>

#include <string>

#include "formula/formula_number.h"

namespace {

TEST(FormulaNumber, TakesWhatAConstantPartMayHoldAndRefusesTheRest) {
  const double pi = 3.141592653589793;
  const struct {
    const char* text;
    double value;  // where taken
    const char* refusal;  // where refused: the whole message
  } cases[] = {
      {"2*pi", 2 * pi, ""},
      {"pi/2", pi / 2, ""},
      {"-1.5", -1.5, ""},
      {" 1e-3 ", 1e-3, ""},
      {"PI-e", pi - 2.718281828459045, ""},
      {"", 0, "u to: a number"},
      {"u", 0, "u to: unknown name \"u\" at column 1"},
      {"2*w", 0, "u to: unknown name \"w\" at column 3"},
      {"1/0", 0, "u to: 1/0 is not a finite number"},
      {"1e308*10", 0, "u to: 1e308*10 is not a finite number"},
  };
  for (const auto& c : cases) {
    double value = -7;
    const std::string refusal = evaluateNumber("u to", c.text, &value);
    EXPECT_EQ(refusal, c.refusal) << c.text;
    EXPECT_EQ(value, *c.refusal ? -7 : c.value) << c.text;
  }
  // Refusals muparser gives are said in the formulas' words, named for the field.
  for (const char* text : {"sin(", "1,2", "a=1"}) {
    double value = 0;
    EXPECT_EQ(evaluateNumber("v from", text, &value).rfind("v from: ", 0), 0u) << text;
  }
}

}  // namespace
