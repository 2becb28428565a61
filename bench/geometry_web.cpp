// The cells' geometry as the page's WebAssembly works it out (emscripten; run by Node.js, whose
// engine is Chromium's): surface 2, and surface 2 written as a formula of one's own, moving and
// at rest, in microseconds a frame, the medians of 15 runs of 200 frames each, taken in turn;
// the same with the surface's own normal at every cell's middle; and the cell under a point of
// the picture, found and looked into as the inspector does.
#include <emscripten.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/viewer_state.h"
#include "formula/formula_surface.h"
#include "geometry/cell.h"
#include "geometry/derivative.h"
#include "geometry/grid.h"
#include "geometry/surface.h"
#include "explorer/inspect.h"

namespace {

volatile double sink;

// Microseconds a frame of `frame`, the median of runs of 200 frames.
template <typename Frame>
double microsecondsAFrame(const Frame& frame, int runs = 9) {
  std::vector<double> times;
  for (int run = 0; run < runs; ++run) {
    const double start = emscripten_get_now();
    for (int k = 0; k < 200; ++k) frame();
    times.push_back((emscripten_get_now() - start) * 1000 / 200);
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

// The medians of `a` and `b` a frame, their runs taken in turn, so that what else the machine
// does weighs on both alike.
template <typename A, typename B>
void inTurn(const A& a, const B& b, double* aTime, double* bTime) {
  std::vector<double> as, bs;
  for (int run = 0; run < 15; ++run) {
    as.push_back(microsecondsAFrame(a, 1));
    bs.push_back(microsecondsAFrame(b, 1));
  }
  std::sort(as.begin(), as.end());
  std::sort(bs.begin(), bs.end());
  *aTime = as[as.size() / 2];
  *bTime = bs[bs.size() / 2];
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
    const PointFunction point = own->at(t);
    double builtIn = 0, formula = 0;
    inTurn([] { cells(2u); },
           [&] { forEachGridCell(point, Grid{}, [](const GridCell&, const Cell& cell) { sink = cell.lineEnd.x; }); }, &builtIn,
           &formula);
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
  const PointFunction ripples = builtInSurface(2);
  double alone = 0, withOwn = 0;
  inTurn([&] { forEachGridCell(ripples, Grid{}, [](const GridCell&, const Cell& cell) { sink = cell.lineEnd.x; }); },
         [&] {
           forEachGridCell(ripples, Grid{}, [&](const GridCell& g, const Cell& cell) {
             sink = cell.lineEnd.x + surfaceNormalAtMiddle(ripples, g).normal.x;
           });
         },
         &alone, &withOwn);
  std::printf("page's WebAssembly, surface 2 at rest: geometry %.1f us a frame, with every "
              "cell's own normal %.1f us, %.2f times\n", alone, withOwn, withOwn / alone);
  const double inspectTime =
      microsecondsAFrame([&] { sink = inspect(sphere, 10, 3, kViewerCamera).angle; });
  std::printf("page's WebAssembly: a cell of the sphere looked into in %.1f us\n", inspectTime);
  // A cell's share of the geometry, from the viewer's grid to the finest.
  viewerState.animate = true;
  viewerState.phase = 0.3f;
  double atDefault = 0;
  for (const int n : {kGridSize, 42, 100}) {
    const Grid grid = n == kGridSize ? Grid{} : Grid::over(n, n);
    const double frame = microsecondsAFrame([&] {
      forEachGridCell(ripples, grid, [](const GridCell&, const Cell& cell) {
        sink = cell.lineEnd.x;
      });
    });
    const double perCell = frame * 1000 / (n * n);
    if (n == kGridSize) atDefault = perCell;
    std::printf("page's WebAssembly, surface 2 moving at %d x %d cells: %.1f us a frame, %.1f ns "
                "a cell, %.2f times a cell at 21 x 21\n", n, n, frame, perCell, perCell / atDefault);
  }
  return 0;
}
