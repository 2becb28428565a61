// The page's scene: its frame, its keys, and the surface of one's own in the cycle of surfaces.
#include "page_scene.h"

#include <GL/glut.h>

#include "app/handlers.h"
#include "explorer/inspect.h"
#include "formula/formula_surface.h"
#include "geometry/surface.h"
#include "page_api.h"
#include "page_scene_state.h"
#include "render/frame.h"

PageScene& scene() {
  static PageScene s;
  return s;
}

Grid gridFor(bool typed) {
  const PageScene& s = scene();
  if (typed && s.ranged) {
    const double* r = s.ranges;
    return Grid::over(s.cells[0], s.cells[1], r[0], r[1], r[2], r[3]);
  }
  return Grid::over(s.cells[0], s.cells[1]);
}

PointFunction pointsOf(const ViewerState& state, bool typed) {
  if (typed) return scene().typed->at(state);
  return builtInSurface(state.surfaceIndex, state.animate, state.phase);
}

void redraw() {
  scene().stale = true;
  glutPostRedisplay();
}

void changed() {
  redraw();
  tellPageOfChange();
}

void showPageFrame() {
  PageScene& s = scene();
  // The idle handler asks for a frame every time, but at rest nothing in it moves.
  if (!viewerState.animate && !s.stale) return;
  s.stale = false;
  const bool typed = s.typedShown && s.typed != nullptr;
  const int before = s.shown.leftOut;
  s.shown = {viewerState, typed, 0};
  const Grid grid = gridFor(typed);
  // The viewer's own frame, call for call, unless the page has more to show.
  const MeshLook& l = s.look;
  if (!typed && s.view.viewers && s.inspected < 0 && l.lines == NormalLines::kFacet &&
      l.facet == FacetNormal::kCorner && l.shading == Shading::kFlat && grid.viewers) {
    drawFrame();
  } else {
    const PointFunction point = pointsOf(viewerState, typed);
    Scene frame;
    frame.camera = cameraOf(s.view);
    frame.normals = l.lines;
    frame.facet = l.facet;
    frame.shading = l.shading;
    frame.grid = &grid;
    if (typed) {
      frame.surface = &point;
      frame.caption = s.typed->caption().c_str();
    }
    Marker marked;
    if (s.inspected >= 0) {
      marked = inspect(point, s.inspected / grid.cellsV, s.inspected % grid.cellsV, frame.camera,
                       grid)
                   .marker();
      frame.marked = &marked;
    }
    s.shown.leftOut = drawFrame(frame);
  }
  glutSwapBuffers();
  if (s.shown.leftOut != before) tellPageOfChange();
  // A cell looked into has the numbers of the frame now on the canvas: new ones on a moving
  // surface, and the first ones once a frame has been drawn at all.
  if (s.inspected >= 0) tellPageOfFrame();
}

void onPageKey(unsigned char key, int x, int y) {
  PageScene& s = scene();
  const bool next = key != kEscape && key != kSpace;
  if (next && s.typedShown) {
    // From the seventh place back to the first: the viewer's own step from the last.
    s.typedShown = false;
    onKeyboard(key, x, y);
  } else if (next && s.typed != nullptr && viewerState.surfaceIndex == kSurfaceCount - 1) {
    s.typedShown = true;
  } else {
    onKeyboard(key, x, y);
  }
  changed();
}

bool showTypedSurface(const std::string& x, const std::string& y, const std::string& z,
                    bool animate, FormulaError* error) {
  std::unique_ptr<FormulaSurface> typed = FormulaSurface::parse(x, y, z, error);
  if (typed == nullptr) return false;
  PageScene& s = scene();
  s.typed = std::move(typed);
  s.typedShown = true;
  // Its place in the cycle is after the last surface.
  viewerState.surfaceIndex = kSurfaceCount - 1;
  viewerState.animate = animate;
  changed();
  return true;
}

void clearTypedSurface() {
  PageScene& s = scene();
  s.typed.reset();
  s.typedShown = false;
  viewerState.surfaceIndex = 0;
  changed();
}

const Shown& shownFrame() { return scene().shown; }
bool typedShownNext() { return scene().typedShown && scene().typed != nullptr; }
std::string typedCaption() { return scene().typed ? scene().typed->caption() : ""; }

