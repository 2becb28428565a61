// What a frame costs: its geometry alone, and whole frames against an empty frame and against
// the same picture replayed from vertex arrays filled once, the fastest way this OpenGL can
// put up the same pixels. Frames need an X display (scripts/bench.sh starts a virtual one).
#include <GL/glut.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "app/startup.h"
#include "app/viewer_state.h"
#include "render/frame.h"
#include "render/mesh.h"
#include "snapshot.h"

namespace {

void openWindow() {
  static bool open = false;
  if (open) return;
  static char name[] = "normals_bench";
  static char* argv[] = {name, nullptr};
  int argc = 1;
  startViewer(&argc, argv);
  open = true;
}

void atRest(unsigned surface) {
  viewerState.surfaceIndex = surface;
  viewerState.animate = false;
}

// The 441 cells' corners, normals and centres, exactly as a frame computes them, without GL.
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
BENCHMARK(Geometry)->ArgsProduct({{0, 1, 2, 3, 4, 5}, {0, 1}})->ArgNames({"surface", "animated"});

// llvmpipe compiles its shaders at the first draws of each kind; that is start-up, not frame.
void warmUp(void (*frame)()) {
  for (int i = 0; i < 20; ++i) frame();
  glFinish();
}

void finishFrame(benchmark::State& state) {
  glFinish();
  state.counters["fps"] =
      benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

// The viewer's own display handler.
void Frame(benchmark::State& state) {
  openWindow();
  atRest(static_cast<unsigned>(state.range(0)));
  warmUp(onDisplay);
  for (auto _ : state) {
    onDisplay();
    glFinish();
  }
  finishFrame(state);
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
  finishFrame(state);
}

// The same picture from vertex arrays filled once. Cell by cell, in the frame's order: where a
// line and a quad meet at equal depth, whichever is drawn first keeps the pixel, so drawing all
// quads before all lines would put up a different picture. Colours and normals come from
// arrays too, so that nothing but the primitive changes between two draws.
struct Arrays {
  std::vector<GLfloat> vertices, normals, colours;

  explicit Arrays(unsigned surface) {
    atRest(surface);
    auto put = [this](const Vector3& p, double lift, const Vector3& n, GLfloat r, GLfloat g,
                      GLfloat b) {
      vertices.insert(vertices.end(), {static_cast<GLfloat>(p.x), static_cast<GLfloat>(p.y + lift),
                                       static_cast<GLfloat>(p.z)});
      normals.insert(normals.end(), {static_cast<GLfloat>(n.x), static_cast<GLfloat>(n.y),
                                     static_cast<GLfloat>(n.z)});
      colours.insert(colours.end(), {r, g, b});
    };
    sweepGrid([&](double u, double uNext, double v, double vNext) {
      const Cell c = cellAt(surface, u, uNext, v, vNext);
      const Vector3 corners[] = {c.p00, c.p01, c.p11, c.p10};
      const Vector3 none{};
      for (const Vector3& p : corners) put(p, 0, c.normal, 1, 1, 1);
      for (const Vector3& p : corners) put(p, kOutlineLift, none, 0, 0, 0);
      put(c.centre, 0, none, 1, 0, 0);
      put(c.lineEnd, 0, none, 1, 0, 0);
    });
  }

  void draw() const {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glColor3f(1, 1, 1);
    loadCamera();
    drawAxes();
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, vertices.data());
    glNormalPointer(GL_FLOAT, 0, normals.data());
    glColorPointer(3, GL_FLOAT, 0, colours.data());
    constexpr GLint kPerCell = 10;  // quad, outline, normal line
    const auto cells = static_cast<GLint>(vertices.size() / 3 / kPerCell);
    for (GLint i = 0; i < cells; ++i) {
      glDrawArrays(GL_QUADS, i * kPerCell, 4);
      glDrawArrays(GL_LINE_LOOP, i * kPerCell + 4, 4);
      glDrawArrays(GL_LINES, i * kPerCell + 8, 2);
    }
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    // Leaves colour and normal as the frame does, for the caption.
    glColor3f(1, 0, 0);
    glNormal3f(0, 0, 0);
    drawCaption();
  }
};

int differingPixels(const Image& a, const Image& b) {
  int count = 0;
  for (size_t i = 0; i < a.rgb.size(); i += 3) {
    count += a.rgb[i] != b.rgb[i] || a.rgb[i + 1] != b.rgb[i + 1] || a.rgb[i + 2] != b.rgb[i + 2];
  }
  return count;
}

void ArrayReplay(benchmark::State& state) {
  openWindow();
  const auto surface = static_cast<unsigned>(state.range(0));
  const Arrays arrays(surface);
  // The comparison is fair only if the replay puts up (nearly) the viewer's pixels.
  arrays.draw();
  const Image replay = readBackBuffer();
  const Image viewer = readFrame();
  for (int i = 0; i < 20; ++i) arrays.draw();
  for (auto _ : state) {
    arrays.draw();
    glutSwapBuffers();
    glFinish();
  }
  finishFrame(state);
  state.counters["differing_pixels"] = differingPixels(viewer, replay);
}

// Prints, after the usual table, the ratios the viewer is judged by, from this one run.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  RatioReporter() : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular) {}

  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    // With repetitions, the median stands for the benchmark.
    for (const Run& run : runs) {
      if (run.error_occurred) continue;
      if (run.run_type == Run::RT_Iteration && times_.count(run.run_name.str()) == 0) {
        times_[run.run_name.str()] = run.GetAdjustedRealTime();
      } else if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median") {
        times_[run.run_name.str()] = run.GetAdjustedRealTime();
      }
    }
  }

  void Finalize() override {
    ConsoleReporter::Finalize();
    const double empty = time("EmptyFrame/real_time");
    std::printf("\n%-8s %12s %12s %12s %12s %16s %16s\n", "surface", "frame us", "replay us",
                "frame fps", "frame/replay", "geometry/frame", "(animated)");
    for (int k = 0; k < 6; ++k) {
      const std::string s = std::to_string(k);
      const double frame = time("Frame/surface:" + s + "/real_time");
      const double replay = time("ArrayReplay/surface:" + s + "/real_time");
      const double rest = time("Geometry/surface:" + s + "/animated:0");
      const double moving = time("Geometry/surface:" + s + "/animated:1");
      if (frame <= 0) continue;
      std::printf("%-8d %12.1f %12.1f %12.0f %12.3f %15.2f%% %15.2f%%\n", k, frame / 1e3,
                  replay / 1e3, 1e9 / frame, replay > 0 ? frame / replay : 0.0, 100 * rest / frame,
                  100 * moving / frame);
    }
    if (empty > 0) std::printf("empty frame (clear and swap): %.1f us\n", empty / 1e3);
  }

 private:
  double time(const std::string& name) const {
    const auto it = times_.find(name);
    return it == times_.end() ? 0.0 : it->second;
  }
  std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
  // Frame and replay of each surface side by side, so that a change in the machine's load
  // touches both alike.
  for (int k = 0; k < 6; ++k) {
    benchmark::RegisterBenchmark("Frame", Frame)->Arg(k)->ArgName("surface")->UseRealTime();
    benchmark::RegisterBenchmark("ArrayReplay", ArrayReplay)
        ->Arg(k)
        ->ArgName("surface")
        ->UseRealTime();
  }
  benchmark::RegisterBenchmark("EmptyFrame", EmptyFrame)->UseRealTime();
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
