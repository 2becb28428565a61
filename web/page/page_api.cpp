// The page's own calls into the running viewer: the state a link asks for, a surface of one's
// own, and what the frame on the canvas shows (its caption, how many cells are left out, its
// cells as an OBJ file), for the page to name the picture, write the address and offer the
// file. Each is exported to the page by its own keyword.
#include "page_api.h"

#include <GL/glut.h>
#include <emscripten.h>

#include <string>

#include "formula/formula_surface.h"
#include "geometry/cell.h"
#include "glut_page.h"
#include "obj/obj_file.h"
#include "obj/stl_file.h"
#include "page_scene.h"
#include "page_scene_state.h"
#include "render/frame.h"

// clang-format off
EM_JS(void, tellPageOfChange, (), {
  if (Module["onViewerChange"]) Module["onViewerChange"]();
});
EM_JS(void, tellPageOfFrame, (), {
  if (Module["onViewerFrame"]) Module["onViewerFrame"]();
});
// clang-format on

extern "C" {

// Shows built-in `surface`, moving or at rest, as a link asks: from the
// next frame on, the clock going on where it is. False, changing nothing, for a surface there
// is not.
EMSCRIPTEN_KEEPALIVE int normalsShow(unsigned surface, int animate) {
  if (surface >= kSurfaceCount) return 0;
  if (typedShownNext()) clearTypedSurface();
  viewerState.surfaceIndex = surface;
  viewerState.animate = animate != 0;
  changed();
  return 1;
}

// The canvas's drawing buffer is now `width` x `height` of the device's pixels: a new one, which
// holds no frame yet.
EMSCRIPTEN_KEEPALIVE void normalsResize(int width, int height) {
  glutLayerResize(width, height);
  redraw();
}

// Shows the surface whose X, Y and Z are these formulas, moving or at rest; "" when it is shown,
// or else why not, and what was shown stays.
EMSCRIPTEN_KEEPALIVE const char* normalsShowFormula(const char* x, const char* y, const char* z,
                                                    int animate) {
  static std::string refusal;
  FormulaError error;
  if (!showTypedSurface(x, y, z, animate != 0, &error)) {
    refusal = error.message;
    return refusal.c_str();
  }
  return "";
}

// Forgets the surface of one's own; the first surface is shown.
EMSCRIPTEN_KEEPALIVE void normalsClearFormula() { clearTypedSurface(); }

// The cells of the frame on the canvas as an OBJ file's text, as normals-snapshot --obj writes
// them for the same surface and phase (normalsCellsAsObj, below).
// The name of that file: as normals-snapshot --obj names it for the same surface.
EMSCRIPTEN_KEEPALIVE const char* normalsCellsFileName() {
  static std::string name;
  name = surfaceFileStem(shownFrame().typed ? kSurfaceCount : shownFrame().state.surfaceIndex) +
         ".obj";
  return name.c_str();
}

}  // extern "C"

namespace {

// The cells of the frame on the canvas, and what a file's comments or header say of them.
struct ShownCells {
  ShownSurface shown = shownSurface();
  CellMaker cells = [point = shown.point](double u, double uNext, double v, double vNext) {
    return cellAt(point, u, uNext, v, vNext);
  };
  ObjNotes notes() const {
    const Shown& frame = shownFrame();
    return {NORMALS_VERSION, frame.typed ? typedCaption() : kCaptions[frame.state.surfaceIndex],
            frame.state.animate, frame.state.phase, shown.grid};
  }
};

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE const char* normalsCellsAsObj() {
  static std::string text;
  const ShownCells c;
  text = cellsAsObj(c.cells, c.notes());
  return text.c_str();
}

// The same cells as a binary STL file, as normals-snapshot --stl writes them: its bytes, held
// until the next call, and how many there are (normalsCellsStlSize).
static std::string stlBytes;
EMSCRIPTEN_KEEPALIVE const char* normalsCellsAsStl() {
  const ShownCells c;
  stlBytes = cellsAsStl(c.cells, c.notes(), nullptr);
  return stlBytes.data();
}
EMSCRIPTEN_KEEPALIVE int normalsCellsStlSize() { return static_cast<int>(stlBytes.size()); }

}  // extern "C"
