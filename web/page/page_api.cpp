// The page's own calls into the running viewer: the state a link asks for, and the state the
// keys and the clock have reached, with the caption that goes with it, for the page to name the
// picture and write the address. Each is exported to the page by its own keyword.
#include "page_api.h"

#include <GL/glut.h>
#include <emscripten.h>

#include <string>

#include "app/viewer_state.h"
#include "obj/obj_file.h"
#include "render/frame.h"

namespace {

// The state of the frame on the canvas.
ViewerState shown;

}  // namespace

void noteFrameShown() { shown = viewerState; }

// clang-format off
EM_JS(void, tellPageOfChange, (), {
  if (Module["onViewerChange"]) Module["onViewerChange"]();
});
// clang-format on

extern "C" {

EMSCRIPTEN_KEEPALIVE unsigned normalsSurfaceCount() { return kSurfaceCount; }
EMSCRIPTEN_KEEPALIVE unsigned normalsSurfaceIndex() { return viewerState.surfaceIndex; }
EMSCRIPTEN_KEEPALIVE int normalsAnimate() { return viewerState.animate ? 1 : 0; }
EMSCRIPTEN_KEEPALIVE const char* normalsCaption(unsigned surface) {
  return surface < kSurfaceCount ? kCaptions[surface] : "";
}

// Shows `surface` (below normalsSurfaceCount()), moving or at rest, as a link asks: from the
// next frame on, the clock going on where it is. False, changing nothing, for a surface there
// is not.
EMSCRIPTEN_KEEPALIVE int normalsShow(unsigned surface, int animate) {
  if (surface >= kSurfaceCount) return 0;
  viewerState.surfaceIndex = surface;
  viewerState.animate = animate != 0;
  glutPostRedisplay();
  tellPageOfChange();
  return 1;
}

// The cells of the frame on the canvas as an OBJ file's text, as normals-snapshot --obj writes
// them for the same surface and phase.
EMSCRIPTEN_KEEPALIVE const char* normalsCellsAsObj() {
  static std::string text;
  const ViewerState now = viewerState;
  viewerState = shown;
  const unsigned surface = shown.surfaceIndex;
  text = cellsAsObj([surface](double u, double uNext, double v,
                              double vNext) { return cellAt(surface, u, uNext, v, vNext); },
                    {NORMALS_VERSION, kCaptions[surface], shown.animate, shown.phase});
  viewerState = now;
  return text.c_str();
}

}  // extern "C"
