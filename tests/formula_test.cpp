// Surfaces of one's own: the built-ins written as formulas give their points bit for bit;
// formulas the viewer refuses are refused with the field, what is wrong and where; what it
// accepts is accepted; hostile input is refused or bounded quickly.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "app/viewer_state.h"
#include "formula/formula_surface.h"
#include "geometry/cell.h"
#include "geometry/surface.h"

namespace {

std::unique_ptr<FormulaSurface> parsed(const char* x, const char* y, const char* z,
                                       FormulaError* error) {
  return FormulaSurface::parse(x, y, z, error);
}

bool sameBits(const Vector3& a, const Vector3& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Each built-in written as a formula in the order it computes, with u shifted as the built-in
// shifts it while the animation runs (t - 0.5 + u) and unshifted at rest. Surface 4's circle
// constant is the viewer's own truncated one, written out: a formula's pi is the full one.
TEST(Formula, TheBuiltInsAsFormulasGiveTheirPointsBitForBit) {
  const struct {
    unsigned surface;
    const char *x, *y, *z;  // %s: the parameter u as the built-in shifts it
  } cases[] = {
      {0, "%s*5", "0", "v*5"},
      {1, "%s*5", "sin(%s*5)", "v*5"},
      {2, "%s*5", "sin(%s*v*5)", "v*5"},
      {4, "cos(%s*3.141592)*3", "v*3", "sin(%s*3.141592)*3"},
  };
  const auto with = [](const char* f, const char* u) {
    std::string out = f;
    for (std::size_t at; (at = out.find("%s")) != std::string::npos;) out.replace(at, 2, u);
    return out;
  };
  for (const auto& c : cases) {
    for (const float phase : {-1.0f, 0.0f, 0.3f, 0.75f}) {  // -1: at rest
      SCOPED_TRACE(testing::Message() << "surface " << c.surface << " phase " << phase);
      const bool moving = phase >= 0;
      const char* u = moving ? "(t-0.5+u)" : "u";
      FormulaError error;
      const auto own = FormulaSurface::parse(with(c.x, u), with(c.y, u), with(c.z, u), &error);
      ASSERT_NE(own, nullptr) << error.message;
      viewerState.animate = moving;
      viewerState.phase = moving ? phase : 0.0f;
      int differ = 0;
      sweepGrid([&](double a, double, double b, double) {
        differ += !sameBits(own->point(a, b, viewerState.phase), surfacePoint(c.surface, a, b));
      });
      EXPECT_EQ(differ, 0);
    }
  }
}

// A constant set gives the cells the same number written in gives, bit for bit; it starts at 1.
TEST(Formula, ConstantsAreTheNumbersTheyAreSetTo) {
  FormulaError error;
  const auto named = parsed("(R+r*cos(pi*v))*cos(pi*u)", "r*sin(pi*v)", "(R+r*cos(pi*v))*sin(pi*u)",
                            &error);
  const auto written = parsed("(2.5+0.75*cos(pi*v))*cos(pi*u)", "0.75*sin(pi*v)",
                              "(2.5+0.75*cos(pi*v))*sin(pi*u)", &error);
  ASSERT_TRUE(named && written) << error.message;
  EXPECT_EQ(named->constants(), (std::vector<std::string>{"R", "r"}));
  EXPECT_EQ(named->constant("R"), 1);
  EXPECT_TRUE(named->setConstant("R", 2.5) && named->setConstant("r", 0.75));
  EXPECT_FALSE(named->setConstant("q", 1));
  EXPECT_FALSE(named->setConstant("r", std::nan("")));
  int differ = 0;
  for (double u = -1; u < 1.2; u += 0.37) {
    for (double v = -1; v < 1.2; v += 0.29) {
      differ += !sameBits(named->point(u, v, 0), written->point(u, v, 0));
    }
  }
  EXPECT_EQ(differ, 0);
}

TEST(Formula, RefusalsSayTheFieldWhatAndWhere) {
  const struct {
    const char *x, *y, *z, *message;
  } cases[] = {
      // Any other name is a constant; but not a function's, a link's, nor a ninth.
      {"u*3", "2*sinn(u)", "v*3", "Y: unknown function \"sinn\" at column 3"},
      {"u*view", "0", "v", "X: \"view\" is a name the link uses, so it cannot be a constant at column 3"},
      {"a+b+c+d", "f+g+h+k", "v*m", "Z: more than 8 constants: \"m\" at column 3"},
      {"", "0", "v", "X: the formula is empty"},
      {"u", "   ", "v", "Y: the formula is empty"},
      {"u", "0", "sin(v", "Z: a parenthesis opened here is not closed at column 4"},
      {"u+", "0", "v", "X: the formula ends too soon"},
      {"u", "sin(u,v)", "v", "Y: too many arguments for \"sin\" at column 1"},
      {"u", "2*atan2(u)", "v", "Y: too few arguments for \"atan2\" at column 3"},
      {"u", "(u))", "v", "Y: unexpected \")\" at column 4"},
      {"u v", "0", "v", "X: unexpected \"v\" at column 3"},
      {"u", "0", "v # 1", "Z: \"#\" is not part of a formula at column 3"},
      {"u", "u=3", "v", "Y: \"=\" sets a variable, which a formula may not at column 2"},
      {"u", "0", "u, v", "Z: one formula a field: a comma outside a function at column 2"},
      {"u", "\"a\"", "v", "Y: text in quotes is not part of a formula at column 1"},
      {"u\xc3\xa9", "0", "v",
       "X: a character the caption cannot show (printable ASCII only) "
       "at column 2"},
      {"u\t", "0", "v",
       "X: a character the caption cannot show (printable ASCII only) "
       "at column 2"},
      // DEL, and the control character a page's link sends for a NUL.
      {"u", "v\x7f", "v", "Y: a character the caption cannot show (printable ASCII only) at column 2"},
      {"u", "0", "\x01v", "Z: a character the caption cannot show (printable ASCII only) at column 1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    FormulaError error;
    EXPECT_EQ(parsed(c.x, c.y, c.z, &error), nullptr);
    EXPECT_EQ(error.message, c.message);
  }
}

TEST(Formula, WhatTheViewerSaysItTakesIsTaken) {
  const char* const accepted[] = {
      "sin(u)+cos(v)+tan(u)",
      "asin(u/2)+acos(v/2)+atan(u)",
      "sinh(u)+cosh(v)+tanh(u)",
      "asinh(u)+acosh(v+2)+atanh(u/2)",
      "exp(u)+log(v+2)+ln(v+2)+log2(v+2)+log10(v+2)",
      "sqrt(u*u)+abs(v)+sign(u)+rint(v)",
      "min(u,v)+max(u,v,t)+sum(u,v)+avg(u,v)",
      "u^2+2.5e-1*pi+PI+e",
      "u<v ? u : v",
      "(u>=0 && v!=0) || u==v",
      "-u--v",
      "1e3*t",
  };
  for (const char* formula : accepted) {
    FormulaError error;
    EXPECT_NE(parsed(formula, formula, formula, &error), nullptr)
        << formula << ": " << error.message;
  }
  FormulaError error;
  const auto own = parsed("pi", "PI", "e", &error);
  ASSERT_NE(own, nullptr);
  const Vector3 p = own->point(0, 0, 0);
  EXPECT_EQ(p.x, 3.141592653589793);
  EXPECT_EQ(p.y, 3.141592653589793);
  EXPECT_EQ(p.z, 2.718281828459045);
  EXPECT_EQ(own->caption(), "X=pi, Y=PI, Z=e");
}

// No text, however long or deep, takes more than a moment; undefined values are not finite.
TEST(Formula, HostileInputIsRefusedOrBoundedQuickly) {
  const auto start = std::chrono::steady_clock::now();
  const std::string deep = std::string(127, '(') + "u" + std::string(127, ')');
  const std::string huge(1 << 20, '(');
  const struct {
    std::string x;
    const char* message;  // "" when it is taken
  } cases[] = {
      {deep, ""},
      {std::string(100000, '(') + "u" + std::string(100000, ')'),
       "X: the formula is longer than 256 characters"},
      {huge, "X: the formula is longer than 256 characters"},
      {std::string(256, '1'), ""},
      {std::string(257, '1'), "X: the formula is longer than 256 characters"},
      {std::string(255, '(') + "u", "X: a parenthesis opened here is not closed at column 255"},
  };
  for (const auto& c : cases) {
    FormulaError error;
    const auto own = FormulaSurface::parse(c.x, "0", "v", &error);
    EXPECT_EQ(error.message, c.message) << c.x.substr(0, 40);
    EXPECT_EQ(own != nullptr, c.message[0] == '\0');
  }
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));

  FormulaError error;
  const auto overflow = parsed("exp(1000+u)", "1e308*10", "v/0", &error);
  ASSERT_NE(overflow, nullptr) << error.message;
  int finite = 0;
  sweepGrid([&](double u, double un, double v, double vn) {
    finite += isDrawable(
        cellAt([&](double a, double b) { return overflow->point(a, b, 0); }, u, un, v, vn));
  });
  EXPECT_EQ(finite, 0);
}

}  // namespace
