#include "page_scene.h"

#include <GL/glut.h>

#include <algorithm>
#include <memory>

#include "app/handlers.h"
#include "explorer/inspect.h"
#include "formula/formula_surface.h"
#include "geometry/surface.h"
#include "page_api.h"
#include "render/frame.h"

namespace {

struct PageScene {
  std::unique_ptr<FormulaSurface> own;
  bool ownShown = false;
  Shown shown;
  View view;
  int inspected = -1;
  MeshLook look;
  // The grid asked for: its cells, and the ranges a surface of one's own takes.
  int cells[2] = {kGridSize, kGridSize};
  bool ranged = false;
  double ranges[4] = {};
};

PageScene& scene() {
  static PageScene s;
  return s;
}

// The grid of a frame of the surface of one's own (`own`) or a built-in one.
Grid gridFor(bool own) {
  const PageScene& s = scene();
  if (own && s.ranged) {
    const double* r = s.ranges;
    return Grid::over(s.cells[0], s.cells[1], r[0], r[1], r[2], r[3]);
  }
  return Grid::over(s.cells[0], s.cells[1]);
}

// The surface a frame at `state` shows: the one of one's own (`own`) or a built-in one.
PointFunction pointsOf(const ViewerState& state, bool own) {
  if (own) return scene().own->at(state);
  return builtInSurface(state.surfaceIndex, state.animate, state.phase);
}

// Redraws, and tells the page that what is shown has changed.
void changed() {
  glutPostRedisplay();
  tellPageOfChange();
}

}  // namespace

void showPageFrame() {
  PageScene& s = scene();
  const bool own = s.ownShown && s.own != nullptr;
  const int before = s.shown.leftOut;
  s.shown = {viewerState, own, 0};
  const Grid grid = gridFor(own);
  // The viewer's own frame, call for call, unless the page has more to show.
  const MeshLook& l = s.look;
  if (!own && s.view.ownCamera && s.inspected < 0 && l.lines == NormalLines::kFacet &&
      l.facet == FacetNormal::kCorner && l.shading == Shading::kFlat && grid.viewers) {
    drawFrame();
  } else {
    const PointFunction point = pointsOf(viewerState, own);
    Scene frame;
    frame.camera = cameraOf(s.view);
    frame.normals = l.lines;
    frame.facet = l.facet;
    frame.shading = l.shading;
    frame.grid = &grid;
    if (own) {
      frame.surface = &point;
      frame.caption = s.own->caption().c_str();
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
  if (next && s.ownShown) {
    // From the seventh place back to the first: the viewer's own step from the last.
    s.ownShown = false;
    onKeyboard(key, x, y);
  } else if (next && s.own != nullptr && viewerState.surfaceIndex == kSurfaceCount - 1) {
    s.ownShown = true;
    glutPostRedisplay();
  } else {
    onKeyboard(key, x, y);
  }
  tellPageOfChange();
}

bool showOwnSurface(const std::string& x, const std::string& y, const std::string& z,
                    bool animate, FormulaError* error) {
  std::unique_ptr<FormulaSurface> own = FormulaSurface::parse(x, y, z, error);
  if (own == nullptr) return false;
  PageScene& s = scene();
  s.own = std::move(own);
  s.ownShown = true;
  // Its place in the cycle is after the last surface.
  viewerState.surfaceIndex = kSurfaceCount - 1;
  viewerState.animate = animate;
  glutPostRedisplay();
  tellPageOfChange();
  return true;
}

void clearOwnSurface() {
  PageScene& s = scene();
  s.own.reset();
  s.ownShown = false;
  viewerState.surfaceIndex = 0;
  glutPostRedisplay();
  tellPageOfChange();
}

const Shown& shownFrame() { return scene().shown; }
bool ownShownNext() { return scene().ownShown && scene().own != nullptr; }
std::string ownCaption() { return scene().own ? scene().own->caption() : ""; }
std::string ownFormula(int field) { return scene().own ? scene().own->formula(field) : ""; }

const View& pageView() { return scene().view; }

void setPageView(const View& view) {
  const View& now = scene().view;
  // A view that does not change (a turn at a pole's bound) draws nothing new.
  if (view.ownCamera == now.ownCamera && view.longitude == now.longitude &&
      view.latitude == now.latitude && view.distance == now.distance &&
      std::equal(view.centre, view.centre + 3, now.centre)) {
    return;
  }
  scene().view = view;
  glutPostRedisplay();
  tellPageOfChange();
}

int inspectedCell() { return scene().inspected; }

const MeshLook& pageLook() { return scene().look; }

void setPageLook(const MeshLook& look) {
  MeshLook& now = scene().look;
  if (look.lines == now.lines && look.facet == now.facet && look.shading == now.shading) return;
  now = look;
  changed();
}

void setInspectedCell(int cell) {
  if (cell == scene().inspected) return;
  scene().inspected = cell >= 0 && cell < pageGrid().cellCount() ? cell : -1;
  changed();
}

ShownSurface shownSurface() {
  const PageScene& s = scene();
  const bool own = s.shown.own && s.own != nullptr;
  return {pointsOf(s.shown.state, own), gridFor(own), cameraOf(s.view)};
}

ShownSurface nextSurface() {
  const bool own = ownShownNext();
  return {pointsOf(viewerState, own), gridFor(own), cameraOf(scene().view)};
}

Grid pageGrid() { return gridFor(ownShownNext()); }

std::string setPageGrid(int cellsU, int cellsV, bool ranged, const double ranges[4]) {
  PageScene& s = scene();
  const std::string refusal = gridRefusal(cellsU, cellsV, ranged ? ranges : nullptr);
  if (!refusal.empty()) return refusal;
  // The cell looked into keeps its row and column where the new grid has them.
  const Grid before = pageGrid();
  const int row = s.inspected >= 0 ? s.inspected / before.cellsV : -1;
  const int column = s.inspected >= 0 ? s.inspected % before.cellsV : -1;
  s.cells[0] = cellsU;
  s.cells[1] = cellsV;
  s.ranged = ranged;
  for (int k = 0; k < 4; ++k) s.ranges[k] = ranged ? ranges[k] : 0;
  s.inspected = row >= 0 && row < cellsU && column < cellsV ? row * cellsV + column : -1;
  changed();
  return "";
}

bool pageGridRanged() { return scene().ranged; }
const double* pageGridRanges() { return scene().ranges; }

FormulaSurface* ownSurface() { return scene().own.get(); }

bool setOwnConstant(const std::string& name, double value) {
  FormulaSurface* own = ownSurface();
  if (own == nullptr || !own->setConstant(name, value)) return false;
  changed();
  return true;
}
