// The 441 cells' corners, normals and centres, exactly as a frame computes them, without GL:
// for each built-in surface, and for surface 2 written as a formula of one's own (its compiled
// form evaluated at every corner), which is to cost at most 1.5 times the built-in's; the same
// with the surface's own normal at every cell's middle (the "both" normal lines), to cost at
// most twice the geometry alone; and the cell under a point of the picture, found and looked
// into for the inspector, each under a millisecond.
#include <benchmark/benchmark.h>

#include "app/viewer_state.h"
#include "benchmark_names.h"
#include "formula/formula_surface.h"
#include "geometry/cell.h"
#include "geometry/derivative.h"
#include "geometry/grid.h"
#include "geometry/surface.h"
#include "explorer/inspect.h"

namespace {

void Geometry(benchmark::State& state) {
  const auto surface = static_cast<unsigned>(state.range(0));
  viewerState.animate = state.range(1) != 0;
  viewerState.phase = 0.3f;
  for (auto _ : state) {
    sweepGrid([surface](double u, double uNext, double v, double vNext) {
      Cell cell = cellAt(surface, u, uNext, v, vNext);
      benchmark::DoNotOptimize(cell);
    });
  }
}
BENCHMARK(Geometry)
    ->Name(kGeometryBenchmark)
    ->ArgsProduct({{0, 1, 2, 3, 4, 5}, {0, 1}})
    ->ArgNames({kSurfaceArg, kAnimatedArg});

// Surface 2 as a formula, in the order the built-in computes it.
void FormulaGeometry(benchmark::State& state) {
  const bool animate = state.range(0) != 0;
  const char* u = animate ? "(t-0.5+u)" : "u";
  FormulaError error;
  const auto own = FormulaSurface::parse(std::string(u) + "*5", "sin(" + std::string(u) + "*v*5)",
                                         "v*5", &error);
  if (own == nullptr) {
    state.SkipWithError(error.message.c_str());
    return;
  }
  const float t = animate ? 0.3f : 0.0f;
  const PointFunction point = own->at(t);
  for (auto _ : state) {
    // As a frame works its cells out.
    forEachGridCell(point, Grid{}, [](const GridCell&, const Cell& cell) {
      Cell kept = cell;  // Google Benchmark 1.8 takes no const value here
      benchmark::DoNotOptimize(kept);
    });
  }
}
BENCHMARK(FormulaGeometry)
    ->Name(kFormulaGeometryBenchmark)
    ->ArgsProduct({{0, 1}})
    ->ArgNames({kAnimatedArg});

// The cell under a point of the picture, as the page finds it when a pointer rests on it: the
// middle of the sphere's frame, at rest. To take under a millisecond.
void Pick(benchmark::State& state) {
  viewerState.animate = false;
  const PointFunction sphere = [](double u, double v) { return surfacePoint(5, u, v); };
  for (auto _ : state) {
    benchmark::DoNotOptimize(pick(sphere, kViewerCamera, 200.5, 200.5, 400, 400));
  }
}
BENCHMARK(Pick)->Name(kPickBenchmark);

// The frame's geometry with the surface's own normal at every cell's middle, as the frame with
// both normal lines works them out.
void GeometryWithOwnNormals(benchmark::State& state) {
  const auto surface = static_cast<unsigned>(state.range(0));
  viewerState.animate = state.range(1) != 0;
  viewerState.phase = 0.3f;
  const PointFunction point = builtInSurface(surface);
  for (auto _ : state) {
    forEachGridCell(point, Grid{}, [&point](const GridCell& g, const Cell& cell) {
      SurfaceNormal own = surfaceNormalAtMiddle(point, g);
      Cell kept = cell;
      benchmark::DoNotOptimize(kept);
      benchmark::DoNotOptimize(own);
    });
  }
}
BENCHMARK(GeometryWithOwnNormals)
    ->Name(kOwnNormalsBenchmark)
    ->ArgsProduct({{0, 1, 2, 3, 4, 5}, {0, 1}})
    ->ArgNames({kSurfaceArg, kAnimatedArg});

// A frame's geometry on a grid of n x n cells (surface 2, moving, each grid point evaluated
// once): the time a cell is to stay flat from 21 x 21 to 100 x 100.
void GridGeometry(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  viewerState.animate = true;
  viewerState.phase = 0.3f;
  const PointFunction point = builtInSurface(2);
  const Grid grid = n == kGridSize ? Grid{} : Grid::over(n, n);
  for (auto _ : state) {
    forEachGridCell(point, grid, [](const GridCell&, const Cell& cell) {
      Cell kept = cell;
      benchmark::DoNotOptimize(kept);
    });
  }
  state.counters["cell"] = benchmark::Counter(static_cast<double>(n) * n,
                                              benchmark::Counter::kIsIterationInvariantRate |
                                                  benchmark::Counter::kInvert);
}
BENCHMARK(GridGeometry)->Name(kGridGeometryBenchmark)->Arg(21)->Arg(42)->Arg(100)->ArgName("cells");

// One cell looked into, everything the panel shows: the rippled disc's, moving.
void Inspect(benchmark::State& state) {
  viewerState.animate = true;
  viewerState.phase = 0.3f;
  const PointFunction disc = builtInSurface(3);
  for (auto _ : state) {
    Inspection in = inspect(disc, 10, 3, kViewerCamera);
    benchmark::DoNotOptimize(in);
  }
}
BENCHMARK(Inspect)->Name(kInspectBenchmark);

}  // namespace
