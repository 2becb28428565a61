// The page's calls for the grid and the constants of a surface of one's own: each changes what
// the next frame shows only when it is taken, and asks for that frame. Exported to the page by
// their own keywords.
#include <emscripten.h>

#include <cmath>
#include <string>

#include "formula/formula_number.h"
#include "formula/formula_surface.h"
#include "page_scene.h"

extern "C" {

// Asks for a grid (see setPageGrid): "" when taken, or else why not.
EMSCRIPTEN_KEEPALIVE const char* normalsSetGrid(double cellsU, double cellsV, int ranged,
                                                double u0, double u1, double v0, double v1) {
  static std::string refusal;
  const double ranges[4] = {u0, u1, v0, v1};
  // The cells arrive as JavaScript's numbers: a fraction or a number past an int is refused
  // here, as 0 is, not truncated into a grid nobody asked for.
  const auto whole = [](double n) {
    return n >= 1 && n <= kMostCells && n == std::floor(n) ? static_cast<int>(n) : 0;
  };
  refusal = setPageGrid(whole(cellsU), whole(cellsV), ranged != 0, ranges);
  return refusal.c_str();
}

// A range's end as typed (`2*pi`, `-1.5`): "" when it is a number, whose value
// normalsEvaluated then gives, or else why not, named for `field`.
static double evaluated = 0;
EMSCRIPTEN_KEEPALIVE const char* normalsEvaluate(const char* field, const char* text) {
  static std::string refusal;
  refusal = evaluateNumber(field, text, &evaluated);
  return refusal.c_str();
}
EMSCRIPTEN_KEEPALIVE double normalsEvaluated() { return evaluated; }

// Sets constant `name`; false, changing nothing, for a name there is not or a value that is
// not finite.
EMSCRIPTEN_KEEPALIVE int normalsSetConstant(const char* name, double value) {
  return setTypedConstant(name, value) ? 1 : 0;
}

}  // extern "C"
