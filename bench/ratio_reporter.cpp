#include "ratio_reporter.h"

#include <unistd.h>

#include <cstdio>

#include "app/viewer_state.h"
#include "benchmark_names.h"

RatioReporter::RatioReporter()
    : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular) {}

void RatioReporter::ReportRuns(const std::vector<Run>& runs) {
  ConsoleReporter::ReportRuns(runs);
  // With repetitions, the median stands for the benchmark. (A run's error flag changed its
  // name between Google Benchmark 1.7 and 1.8; none of these benchmarks reports one.)
  for (const Run& run : runs) {
    const std::string name = run.run_name.str();
    if (run.run_type == Run::RT_Iteration && times_.count(name) == 0) {
      times_[name] = run.GetAdjustedRealTime();
    } else if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
      times_[name] = run.GetAdjustedRealTime();
    }
  }
}

void RatioReporter::Finalize() {
  ConsoleReporter::Finalize();
  const double empty = time(std::string(kEmptyFrameBenchmark) + "/real_time");
  std::printf("\n%-8s %12s %12s %12s %12s %16s %16s\n", "surface", "frame us", "replay us",
              "frame fps", "frame/replay", "geometry/frame", "(animated)");
  for (unsigned k = 0; k < kSurfaceCount; ++k) {
    const double frame = time(runName(kFrameBenchmark, kSurfaceArg, k) + "/real_time");
    const double replay = time(runName(kReplayBenchmark, kSurfaceArg, k) + "/real_time");
    const double rest = time(runName(kGeometryBenchmark, kSurfaceArg, k, kAnimatedArg, 0));
    const double moving = time(runName(kGeometryBenchmark, kSurfaceArg, k, kAnimatedArg, 1));
    if (frame <= 0) continue;
    std::printf("%-8u %12.1f %12.1f %12.0f %12.3f %15.2f%% %15.2f%%\n", k, frame / 1e3,
                replay / 1e3, 1e9 / frame, replay > 0 ? frame / replay : 0.0, 100 * rest / frame,
                100 * moving / frame);
  }
  // Surface 2 written as a formula, against the built-in's own geometry.
  for (long animated : {0L, 1L}) {
    const double builtIn =
        time(runName(kGeometryBenchmark, kSurfaceArg, 2, kAnimatedArg, animated));
    const double formula = time(runName(kFormulaGeometryBenchmark, kAnimatedArg, animated));
    if (builtIn <= 0 || formula <= 0) continue;
    std::printf(
        "surface 2 as a formula%s: geometry %.1f us against the built-in's %.1f us, %.2f "
        "times\n",
        animated ? ", moving" : "", formula / 1e3, builtIn / 1e3, formula / builtIn);
  }
  // The three figures with their orders against the corner normal's alone.
  for (long cells : {21L, 100L}) {
    const std::string arg = "/cells:" + std::to_string(cells);
    const double corner = time(kCornerFigureBenchmark + arg);
    const double all = time(kAllFiguresBenchmark + arg);
    if (corner <= 0 || all <= 0) continue;
    std::printf("the figures at %ld x %ld cells: all three with orders %.0f us, the corner's "
                "alone %.0f us, %.2f times\n",
                cells, cells, all / 1e3, corner / 1e3, all / corner);
  }
  const double pick = time(kPickBenchmark);
  if (pick > 0)
    std::printf("the cell under a point of the sphere's picture: %.1f us\n", pick / 1e3);
  if (empty <= 0) return;
  std::printf("empty frame (clear and swap): %.1f us\n", empty / 1e3);
  // For the browser page's benchmark: the frame's own work, surface by surface from 0.
  std::printf("own work a frame, ms:");
  for (unsigned k = 0; k < kSurfaceCount; ++k) {
    const double frame = time(runName(kFrameBenchmark, kSurfaceArg, k) + "/real_time");
    if (frame <= 0) break;
    std::printf("%s%.3f", k == 0 ? " " : ",", (frame - empty) / 1e6);
  }
  std::printf("\n");
}

double RatioReporter::time(const std::string& name) const {
  const auto it = times_.find(name);
  return it == times_.end() ? 0.0 : it->second;
}
