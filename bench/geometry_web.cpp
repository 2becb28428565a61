// The cells' geometry as the page's WebAssembly works it out (emscripten; run by Node.js, whose
// engine is Chromium's): surface 2, and surface 2 written as a formula of one's own, moving and
// at rest, in microseconds a frame, the median of nine runs of 200 frames each; and the cell
// under a point of the picture, as the inspector finds it.
#include <emscripten.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/viewer_state.h"
#include "formula/formula_surface.h"
#include "geometry/cell.h"
#include "geometry/surface.h"
#include "inspect.h"

namespace {

volatile double sink;

template <typename Frame>
double microsecondsAFrame(const Frame& frame) {
  std::vector<double> runs;
  for (int run = 0; run < 9; ++run) {
    const double start = emscripten_get_now();
    for (int k = 0; k < 200; ++k) frame();
    runs.push_back((emscripten_get_now() - start) * 1000 / 200);
  }
  std::sort(runs.begin(), runs.end());
  return runs[runs.size() / 2];
}

template <typename Point>
void cells(const Point& point) {
  sweepGrid([&point](double u, double uNext, double v, double vNext) {
    sink = cellAt(point, u, uNext, v, vNext).lineEnd.x;
  });
}

}  // namespace

int main() {
  for (const bool moving : {false, true}) {
    viewerState.animate = moving;
    viewerState.phase = 0.3f;
    const std::string u = moving ? "(t-0.5+u)" : "u";
    FormulaError error;
    const auto own = FormulaSurface::parse(u + "*5", "sin(" + u + "*v*5)", "v*5", &error);
    if (own == nullptr) {
      std::printf("%s\n", error.message.c_str());
      return 1;
    }
    const double t = moving ? 0.3f : 0.0f;
    const double builtIn = microsecondsAFrame([] { cells(2u); });
    const double formula = microsecondsAFrame([&] { cells(own->gridPoints(t)); });
    std::printf(
        "page's WebAssembly, surface 2%s: geometry %.1f us a frame as a formula, %.1f us "
        "built in, %.2f times\n",
        moving ? " moving" : " at rest", formula, builtIn, formula / builtIn);
  }
  viewerState.animate = false;
  const PointFunction sphere = [](double u, double v) { return surfacePoint(5, u, v); };
  const double pickTime =
      microsecondsAFrame([&] { sink = pick(sphere, kViewerCamera, 200.5, 200.5, 400, 400); });
  std::printf("page's WebAssembly: the cell under a point of the sphere's picture in %.1f us\n",
              pickTime);
  return 0;
}
