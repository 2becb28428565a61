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

// The grid of the next frame: 0 its cells along u, 1 along v, 2 whether it has ranges of its
// own (1) or the viewer's span (0), 3 to 6 u from, u to, v from, v to as asked, 7 the end of
// the viewer's span (its start is -1).
EMSCRIPTEN_KEEPALIVE double normalsGrid(int what) {
  const Grid g = pageGrid();
  const double* r = pageGridRanges();
  const double numbers[8] = {static_cast<double>(g.cellsU), static_cast<double>(g.cellsV),
                             pageGridRanged() ? 1.0 : 0.0, r[0], r[1], r[2], r[3], gridEnd()};
  return what >= 0 && what < 8 ? numbers[what] : 0;
}

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

// The constants of the surface of one's own: how many, each one's name and value.
EMSCRIPTEN_KEEPALIVE int normalsConstantCount() {
  const FormulaSurface* own = ownSurface();
  return own ? static_cast<int>(own->constants().size()) : 0;
}
EMSCRIPTEN_KEEPALIVE const char* normalsConstantName(int k) {
  static std::string name;
  const FormulaSurface* own = ownSurface();
  name = own && k >= 0 && k < normalsConstantCount() ? own->constants()[k] : "";
  return name.c_str();
}
EMSCRIPTEN_KEEPALIVE double normalsConstant(int k) {
  const FormulaSurface* own = ownSurface();
  return own ? own->constant(normalsConstantName(k)) : 0;
}
// Sets constant `name`; false, changing nothing, for a name there is not or a value that is
// not finite.
EMSCRIPTEN_KEEPALIVE int normalsSetConstant(const char* name, double value) {
  return setOwnConstant(name, value) ? 1 : 0;
}

}  // extern "C"
