// The figures beside the grid: the corner normal's alone, and all three kinds with their orders
// (which also work out the figures at half the cells), on surface 2 moving at 21 x 21 and on a
// grid of 100 x 100. All three are to cost at most three times the corner's alone.
#include <benchmark/benchmark.h>

#include "app/viewer_state.h"
#include "benchmark_names.h"
#include "explorer/figures.h"

namespace {

Grid gridOf(long cells) { return cells == kGridSize ? Grid{} : Grid::over(cells, cells); }

// Surface 2 moving on a grid of state.range(0) cells a side; `all`: every kind with its order.
void NormalFigures(benchmark::State& state, bool all) {
  viewerState.animate = true;
  viewerState.phase = 0.3f;
  const PointFunction point = builtInSurface(2);
  const Grid grid = gridOf(state.range(0));
  for (auto _ : state) {
    if (all) {
      Figures f = normalFigures(point, grid);
      benchmark::DoNotOptimize(f);
    } else {
      Figure f = figure(point, grid, NormalKind::kCorner);
      benchmark::DoNotOptimize(f);
    }
  }
}
BENCHMARK_CAPTURE(NormalFigures, corner, false)->Name(kCornerFigureBenchmark)->Arg(21)->Arg(100)
    ->ArgName("cells");
BENCHMARK_CAPTURE(NormalFigures, all, true)->Name(kAllFiguresBenchmark)->Arg(21)->Arg(100)
    ->ArgName("cells");

}  // namespace
