// What a frame costs: whole frames against an empty frame and against the same picture
// replayed from vertex arrays. Frames need an X display (scripts/bench.sh starts a virtual
// one).
#include <GL/glut.h>
#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "app/startup.h"
#include "app/viewer_state.h"
#include "array_replay.h"
#include "benchmark_names.h"
#include "capture.h"
#include "ratio_reporter.h"
#include "render/frame.h"

namespace {

void openWindow() {
  static bool open = false;
  if (!open) startViewer("normals_bench");
  open = true;
}

// llvmpipe compiles its shaders at the first draws of each kind; that is start-up, not frame.
void warmUp(void (*frame)()) {
  for (int i = 0; i < 20; ++i) frame();
  glFinish();
}

void countFrames(benchmark::State& state) {
  glFinish();
  state.counters["fps"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

// The viewer's own display handler.
void Frame(benchmark::State& state) {
  openWindow();
  viewerState.surfaceIndex = static_cast<unsigned>(state.range(0));
  viewerState.animate = false;
  warmUp(onDisplay);
  for (auto _ : state) {
    onDisplay();
    glFinish();
  }
  countFrames(state);
}

// Clear and swap only: the floor under any frame.
void EmptyFrame(benchmark::State& state) {
  openWindow();
  warmUp(onDisplay);
  for (auto _ : state) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glutSwapBuffers();
    glFinish();
  }
  countFrames(state);
}

int differingPixels(const Image& a, const Image& b) {
  int count = 0;
  for (std::size_t i = 0; i < a.rgb.size(); i += 3) {
    count += a.rgb[i] != b.rgb[i] || a.rgb[i + 1] != b.rgb[i + 1] || a.rgb[i + 2] != b.rgb[i + 2];
  }
  return count;
}

void Replay(benchmark::State& state) {
  openWindow();
  const ArrayReplay replay(static_cast<unsigned>(state.range(0)));
  // The comparison is fair only if the replay puts up the viewer's pixels.
  replay.draw();
  const Image replayed = readBackBuffer();
  const Image viewer = readFrame();
  for (int i = 0; i < 20; ++i) replay.draw();
  for (auto _ : state) {
    replay.draw();
    glutSwapBuffers();
    glFinish();
  }
  countFrames(state);
  state.counters["differing_pixels"] = differingPixels(viewer, replayed);
}

}  // namespace

int main(int argc, char** argv) {
  // Frame and replay of each surface side by side, so that a change in the machine's load
  // touches both alike.
  for (unsigned k = 0; k < kSurfaceCount; ++k) {
    const auto arg = static_cast<std::int64_t>(k);
    benchmark::RegisterBenchmark(kFrameBenchmark, Frame)
        ->Arg(arg)
        ->ArgName(kSurfaceArg)
        ->UseRealTime();
    benchmark::RegisterBenchmark(kReplayBenchmark, Replay)
        ->Arg(arg)
        ->ArgName(kSurfaceArg)
        ->UseRealTime();
  }
  benchmark::RegisterBenchmark(kEmptyFrameBenchmark, EmptyFrame)->UseRealTime();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  if (glutGetWindow() != 0) {
    std::printf("renderer: %s, OpenGL %s\n", glGetString(GL_RENDERER), glGetString(GL_VERSION));
  }
  benchmark::Shutdown();
  return 0;
}
