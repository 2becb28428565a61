// normals-probe: runs the real viewer on the current X display and reports what a user pays
// for it: time to the first frame, frames per second, peak memory over time, and how it ended.
#include <X11/keysym.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "command_line.h"
#include "viewer_process.h"

namespace {

const char* const kUsage =
    "usage: normals-probe [--seconds N] [--frames N] [--memory-at S,S,...] [-- WRAPPER ARGS...]";

// A line of /proc/PID/status, in kB: VmHWM is the peak resident set, VmRSS the current one.
long statusKb(pid_t pid, const std::string& field) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind(field + ":", 0) == 0) return std::atol(line.c_str() + field.size() + 1);
  }
  return -1;
}

struct FrameCount {
  long frames = 0;
  double seconds = 0;
  std::string other;  // standard error lines that are not frame counts
};

// The toolkit reports "freeglut: N frames in S seconds = F FPS" every GLUT_FPS milliseconds.
FrameCount countFrames(const std::string& errors) {
  FrameCount count;
  std::istringstream in(errors);
  std::string line;
  while (std::getline(in, line)) {
    long frames = 0;
    double seconds = 0;
    if (std::sscanf(line.c_str(), "freeglut: %ld frames in %lf seconds", &frames, &seconds) == 2) {
      count.frames += frames;
      count.seconds += seconds;
    } else {
      count.other += line + "\n";
    }
  }
  return count;
}

}  // namespace

int main(int argc, char** argv) {
  double seconds = 10, frames = 0;
  std::vector<double> memoryAt = {5};
  std::vector<std::string> wrapper;
  CommandLine args("normals-probe", kUsage, argc, argv);
  while (args.next()) {
    if (args.option() == "--seconds") {
      seconds = args.number(args.value(), 0);
    } else if (args.option() == "--frames") {
      frames = args.number(args.value(), 0);
    } else if (args.option() == "--memory-at") {
      memoryAt.clear();
      const std::string list = args.value();
      for (size_t start = 0; start <= list.size();) {
        const size_t comma = std::min(list.find(',', start), list.size());
        memoryAt.push_back(args.number(list.substr(start, comma - start), 0));
        start = comma + 1;
      }
    } else if (args.option() == "--") {
      wrapper = args.rest();
    } else {
      args.unknown();
    }
  }

  // Frame counts every second, on the toolkit's standard error.
  setenv("GLUT_FPS", "1000", 1);
  using Clock = std::chrono::steady_clock;
  const auto start = Clock::now();
  auto elapsed = [&] { return std::chrono::duration<double>(Clock::now() - start).count(); };
  ViewerProcess viewer({}, wrapper);
  // Under valgrind the first frame takes minutes, not milliseconds.
  if (viewer.waitForWindow(wrapper.empty() ? 30 : 900) == 0) {
    std::cout << "no window appeared; the program said:\n" << viewer.errors();
    return 1;
  }
  std::printf("first frame after      %.0f ms\n", 1000 * elapsed());

  size_t next = 0;
  while (viewer.running()) {
    const double t = elapsed();
    if (next < memoryAt.size() && t >= memoryAt[next]) {
      std::printf("peak memory at %4.0f s  %ld kB (resident now %ld kB)\n", memoryAt[next],
                  statusKb(viewer.pid(), "VmHWM"), statusKb(viewer.pid(), "VmRSS"));
      ++next;
    }
    const bool enoughFrames = frames > 0 && countFrames(viewer.errors()).frames >= frames;
    if ((frames > 0 ? enoughFrames : t >= seconds) && next >= memoryAt.size()) break;
    sleepFor(0.05);
  }
  if (!viewer.running()) {
    std::cout << "the program ended by itself; it said:\n" << viewer.errors();
    return 1;
  }
  std::printf("peak memory at end     %ld kB (resident now %ld kB)\n",
              statusKb(viewer.pid(), "VmHWM"), statusKb(viewer.pid(), "VmRSS"));
  viewer.press(XK_Escape);
  const int status = viewer.waitForExit(wrapper.empty() ? 10 : 300);
  const FrameCount count = countFrames(viewer.errors());
  std::printf("frames drawn           %ld in %.1f s = %.0f per second\n", count.frames,
              count.seconds, count.seconds > 0 ? count.frames / count.seconds : 0.0);
  std::printf("exit status on Escape  %d\n", status);
  if (!count.other.empty()) std::cout << "standard error:\n" << count.other;
  return status == 1 ? 0 : 1;
}
