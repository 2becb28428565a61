// What the browser tests and the benchmark ask of the running page, as the desktop tests ask
// of the viewer in process: a frame drawn at a chosen state and read back, frames drawn to be
// timed, and the state the keys and the clock have reached.
#include <emscripten.h>

#include <vector>

#include "app/viewer_state.h"
#include "gl_layer.h"
#include "render/frame.h"
#include "webgl_frame.h"

extern "C" {

// Draws a frame of `surface` with the animation on at `phase` (or at rest) and returns its
// pixels, RGBA, bottom row first: width x height of them.
EMSCRIPTEN_KEEPALIVE const unsigned char* normalsTestFrame(unsigned surface, int animate,
                                                           float phase, int width, int height) {
  static std::vector<unsigned char> pixels;
  viewerState.surfaceIndex = surface;
  viewerState.animate = animate != 0;
  viewerState.phase = phase;
  drawFrame();
  flushGlLayer();
  pixels.resize(4 * static_cast<std::size_t>(width) * height);
  readWebGl(width, height, pixels.data());
  return pixels.data();
}

// Draws `count` frames of the current state, as the display handler does, each finished
// before the next begins (a one-pixel read waits for it): what the benchmark times.
EMSCRIPTEN_KEEPALIVE void normalsBenchFrames(int count) {
  unsigned char pixel[4];
  for (int i = 0; i < count; ++i) {
    drawFrame();
    flushGlLayer();
    readWebGl(1, 1, pixel);
  }
}

// How many surfaces the keys cycle through.
EMSCRIPTEN_KEEPALIVE unsigned normalsSurfaceCount() { return kSurfaceCount; }

// surfaceIndex, animate and phase, in that order.
EMSCRIPTEN_KEEPALIVE const float* normalsTestState() {
  static float state[3];
  state[0] = static_cast<float>(viewerState.surfaceIndex);
  state[1] = viewerState.animate ? 1.0f : 0.0f;
  state[2] = viewerState.phase;
  return state;
}

}  // extern "C"
