// The real viewer's OpenGL calls, recorded by apitrace while a user drives it through the X
// server, checked call for call against what the viewer is meant to call: the start-up state
// once, then every frame, animated and at rest, on two surfaces: clear, colour, camera, axes,
// each cell's quad, outline and normal line with their colours, normals and vertices, the
// caption, and the swap. Calls that pixels cannot show (a normal set twice, a normal left
// over) are seen here.
#include <gtest/gtest.h>
// The X headers after gtest: their None and Bool macros would break it.
#include <X11/keysym.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/handlers.h"
#include "app/viewer_state.h"
#include "call_trace.h"
#include "described_calls.h"
#include "geometry/cell.h"
#include "render/frame.h"
#include "tool_run.h"
#include "viewer_process.h"

namespace {

// The phase after each number of idle calls, as the idle handler works it out.
std::vector<float> phases(int count) {
  std::vector<float> p = {0.0f};
  float clock = 0.0f;
  while (static_cast<int>(p.size()) < count) {
    const double sum = static_cast<double>(clock) + kPhaseStep;
    p.push_back(static_cast<float>((std::sin(sum) + 1) * 0.5));
    clock = static_cast<float>(sum >= kClockPeriod ? sum - kClockPeriod : sum);
  }
  return p;
}

// The calls the viewer made, without the toolkit's and the tracer's own: the window system's
// (GLX), the default reshape's viewport, the flush before each swap, and the pixel-store
// settings the toolkit wraps each
// bitmap character in. A character's bitmap is kept by its name alone (its pixels are the
// toolkit's font), and so is the swap (its arguments are the window system's).
Calls viewerCalls(const std::vector<Call>& calls) {
  Calls kept;
  for (const Call& c : calls) {
    const std::string& n = c.name;
    if (c.fake || (n.compare(0, 3, "glX") == 0 && n != "glXSwapBuffers") || n == "glViewport" ||
        n == "glFlush" || n == "glPushClientAttrib" || n == "glPopClientAttrib" ||
        n == "glPixelStorei") {
      continue;
    }
    kept.push_back(n == "glBitmap" || n == "glXSwapBuffers" ? n : c.text);
  }
  return kept;
}

// Where `a` and `b` first differ, said for a person.
std::string firstDifference(const Calls& a, const Calls& b) {
  std::size_t i = 0;
  while (i < a.size() && i < b.size() && a[i] == b[i]) ++i;
  return "call " + std::to_string(i) + ": described " + (i < a.size() ? a[i] : "nothing") +
         ", made " + (i < b.size() ? b[i] : "nothing");
}

TEST(CallTrace, EveryCallAsDescribed) {
  const std::string folder = newFolder(), trace = folder + "/normals.trace";
  {
    ViewerProcess viewer({}, {NORMALS_APITRACE, "trace", "-o", trace});
    ASSERT_NE(viewer.waitForWindow(), 0u) << viewer.errors();
    // Surface 0 moving, then at rest; surface 2 at rest, then moving.
    const auto moves = [&] {
      const Image before = viewer.screenshot();
      return viewer.waitForPicture([&](const Image& now) { return now.rgb != before.rgb; });
    };
    EXPECT_TRUE(moves());
    viewer.press(XK_space);
    EXPECT_FALSE(viewer.waitForStillPicture().rgb.empty());
    viewer.press(XK_n);
    viewer.press(XK_n);
    EXPECT_FALSE(viewer.waitForStillPicture().rgb.empty());
    viewer.press(XK_space);
    EXPECT_TRUE(moves());
    viewer.press(XK_Escape);
    ASSERT_EQ(viewer.waitForExit(), 1) << viewer.errors();
  }
  const Calls calls = viewerCalls(dumpTrace(NORMALS_APITRACE, trace));
  removeFolder(folder);

  std::size_t at = 0;
  while (at < calls.size() && calls[at].compare(0, 8, "glClear(") != 0) ++at;
  const Calls made(calls.begin(), calls.begin() + static_cast<long>(at));
  EXPECT_TRUE(made == startUp()) << "start-up, " << firstDifference(startUp(), made);

  const std::vector<float> phase = phases(100000);
  std::size_t idle = 0;  // idle calls before the frame drawn last, as far as seen
  int seen[kSurfaceCount][2] = {};
  for (int n = 0; at < calls.size(); ++n) {
    std::size_t end = at;
    while (end < calls.size() && calls[end] != "glXSwapBuffers") ++end;
    ASSERT_LT(end, calls.size()) << "frame " << n << " is not swapped";
    const Calls made(calls.begin() + static_cast<long>(at), calls.begin() + static_cast<long>(end));
    at = end + 1;
    // The caption's length tells the surface; its first vertex, the phase.
    unsigned surface = 0;
    const auto glyphs = std::count(made.begin(), made.end(), "glBitmap");
    while (surface < kSurfaceCount && std::strlen(kCaptions[surface]) != size_t(glyphs)) ++surface;
    ASSERT_LT(surface, kSurfaceCount) << "frame " << n << " has " << glyphs << " characters";
    const auto quad = std::find(made.begin(), made.end(), call("glBegin", {"GL_QUADS"}));
    const std::string first = quad + 1 < made.end() ? quad[1] : "";
    viewerState.animate = false;
    if (first != firstVertex(surface)) {
      viewerState.animate = true;
      for (std::size_t k = idle; k < phase.size(); ++k) {
        viewerState.phase = phase[k];
        if (first == firstVertex(surface)) {
          idle = k;
          break;
        }
      }
    }
    const Calls described = frame(surface);
    ASSERT_EQ(made, described) << "frame " << n << " (surface " << surface << ", "
                               << (viewerState.animate ? "moving" : "at rest") << "), "
                               << firstDifference(described, made);
    ++seen[surface][viewerState.animate];
  }
  std::printf(
      "frames checked call for call: surface 0 at rest %d, moving %d; surface 2 at rest "
      "%d, moving %d\n",
      seen[0][0], seen[0][1], seen[2][0], seen[2][1]);
  for (unsigned s : {0u, 2u}) {
    EXPECT_GE(seen[s][0], 1) << "surface " << s << " at rest";
    EXPECT_GE(seen[s][1], 2) << "surface " << s << " moving";
  }
}

}  // namespace
