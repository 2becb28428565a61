// What the page, its browser tests and its benchmark ask of the running viewer, as the desktop
// tests ask of it in process: the state the keys and the clock have reached and the caption
// that goes with it, for the page to say; a state to draw, a frame drawn as the display handler
// draws it, and its pixels read back, for the tests. One job each.
#include <GL/gl.h>
#include <emscripten.h>

#include <vector>

#include "app/viewer_state.h"
#include "gl_layer.h"
#include "render/frame.h"
#include "webgl_device.h"

extern "C" {

EMSCRIPTEN_KEEPALIVE unsigned normalsSurfaceCount() { return kSurfaceCount; }
EMSCRIPTEN_KEEPALIVE unsigned normalsSurfaceIndex() { return viewerState.surfaceIndex; }
EMSCRIPTEN_KEEPALIVE int normalsAnimate() { return viewerState.animate ? 1 : 0; }
EMSCRIPTEN_KEEPALIVE float normalsPhase() { return viewerState.phase; }
EMSCRIPTEN_KEEPALIVE const char* normalsCaption(unsigned surface) {
  return surface < kSurfaceCount ? kCaptions[surface] : "";
}

// The state the next frame is drawn at: `surface` (below normalsSurfaceCount()), the animation
// on or off, and its phase. False, changing nothing, for a surface there is not.
EMSCRIPTEN_KEEPALIVE int normalsSetState(unsigned surface, int animate, float phase) {
  if (surface >= kSurfaceCount) return 0;
  viewerState.surfaceIndex = surface;
  viewerState.animate = animate != 0;
  viewerState.phase = phase;
  return 1;
}

// How many frames the page has sent to WebGL.
EMSCRIPTEN_KEEPALIVE unsigned normalsFramesSent() { return framesSentToWebGl(); }

// Draws a frame of the current state, as the display handler does, and sends it to WebGL.
EMSCRIPTEN_KEEPALIVE void normalsDrawFrame() {
  drawNextFrameAnyway();
  drawFrame();
  flushGlLayer();
}

// The pixels of the rectangle at (x, y), `width` x `height`, RGBA, bottom row first; null when
// the rectangle does not lie within the drawing surface.
EMSCRIPTEN_KEEPALIVE const unsigned char* normalsReadPixels(int x, int y, int width, int height) {
  static std::vector<unsigned char> pixels;
  if (x < 0 || y < 0 || width <= 0 || height <= 0 || width > glLayerWidth() - x ||
      height > glLayerHeight() - y) {
    return nullptr;
  }
  pixels.resize(4 * static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  readWebGl(x, y, width, height, pixels.data());
  return pixels.data();
}

}  // extern "C"
