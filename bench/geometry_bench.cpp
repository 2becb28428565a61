// The 441 cells' corners, normals and centres, exactly as a frame computes them, without GL:
// for each built-in surface, and for surface 2 written as a formula of one's own (its compiled
// form evaluated at every corner), which is to cost at most 1.5 times the built-in's; and the
// cell under a point of the picture, found for the inspector.
#include <benchmark/benchmark.h>

#include "app/viewer_state.h"
#include "benchmark_names.h"
#include "formula/formula_surface.h"
#include "geometry/cell.h"
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
    forEachCell(point, [](const Cell& cell) {
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

}  // namespace
