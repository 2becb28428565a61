// The 441 cells' corners, normals and centres, exactly as a frame computes them, without GL.
#include <benchmark/benchmark.h>

#include "app/viewer_state.h"
#include "benchmark_names.h"
#include "geometry/cell.h"

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

}  // namespace
