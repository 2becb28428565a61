// A page for the browser tests alone, never shipped: the viewer's own start-up and display
// handler on the browser platform, drawing a frame at whatever state a test asks for, so that
// frames no link reaches (at a chosen phase) can be judged against the golden references; and
// the page's own display handler drawing a surface of one's own at such a state. Nothing of
// the frame's composition is written here.
#include <emscripten.h>

#include <string>

#include "app/startup.h"
#include "app/viewer_state.h"
#include "formula/formula_surface.h"
#include "glut_page.h"
#include "page_scene.h"
#include "render/frame.h"

// No event loop: frames are drawn when the test asks.
int main() { startViewer("normals"); }

// Draws the frame of `surface`, moving at `phase` or at rest, into a new drawing buffer of
// `width` x `height` pixels (so that it is drawn even if it equals the last), for the test to
// read back before the browser shows it.
extern "C" EMSCRIPTEN_KEEPALIVE void drawFrameAt(int width, int height, unsigned surface,
                                                 int animate, float phase) {
  glutLayerResize(width, height);
  viewerState.surfaceIndex = surface;
  viewerState.animate = animate != 0;
  viewerState.phase = phase;
  onDisplay();
}

// Draws the surface whose coordinates are the formulas `x`, `y` and `z`, as the page shows it,
// moving at `phase` or at rest, into a new drawing buffer of `width` x `height` pixels; ""
// when it is drawn, or why the formulas were refused.
extern "C" EMSCRIPTEN_KEEPALIVE const char* drawFormulaAt(int width, int height, const char* x,
                                                          const char* y, const char* z, int animate,
                                                          float phase) {
  static std::string refusal;
  FormulaError error;
  if (!showTypedSurface(x, y, z, animate != 0, &error)) {
    refusal = error.message;
    return refusal.c_str();
  }
  glutLayerResize(width, height);
  viewerState.animate = animate != 0;
  viewerState.phase = phase;
  showPageFrame();
  return "";
}
