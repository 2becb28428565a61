// Prints, after Google Benchmark's usual table, the ratios the viewer is judged by, from the
// one run: frame against replay, geometry against frame.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

class RatioReporter : public benchmark::ConsoleReporter {
 public:
  RatioReporter();
  void ReportRuns(const std::vector<Run>& runs) override;
  void Finalize() override;

 private:
  // The median of a benchmark's repetitions, or its one run; 0 when it did not run.
  double time(const std::string& name) const;
  std::map<std::string, double> times_;
};
