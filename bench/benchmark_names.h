// The names the benchmarks are registered under: the ratio reporter finds their results by
// these same names, so a renamed benchmark cannot silently drop a row.
#pragma once

#include <string>

inline constexpr char kFrameBenchmark[] = "Frame";
inline constexpr char kReplayBenchmark[] = "ArrayReplay";
inline constexpr char kEmptyFrameBenchmark[] = "EmptyFrame";
inline constexpr char kGeometryBenchmark[] = "Geometry";
inline constexpr char kFormulaGeometryBenchmark[] = "FormulaGeometry";
inline constexpr char kPickBenchmark[] = "Pick";
inline constexpr char kOwnNormalsBenchmark[] = "GeometryWithOwnNormals";
inline constexpr char kInspectBenchmark[] = "Inspect";
inline constexpr char kGridGeometryBenchmark[] = "GridGeometry";
inline constexpr char kCornerFigureBenchmark[] = "CornerFigure";
inline constexpr char kAllFiguresBenchmark[] = "AllFigures";
inline constexpr char kSurfaceArg[] = "surface";
inline constexpr char kAnimatedArg[] = "animated";

// "Frame/surface:3/animated:0", as Google Benchmark names a run of `benchmark` with these
// argument values (then "/real_time" when it is timed by the wall clock).
inline std::string runName(const char* benchmark, const char* argument, long value,
                           const char* argument2 = nullptr, long value2 = 0) {
  std::string name = std::string(benchmark) + "/" + argument + ":" + std::to_string(value);
  if (argument2 != nullptr) name += std::string("/") + argument2 + ":" + std::to_string(value2);
  return name;
}
