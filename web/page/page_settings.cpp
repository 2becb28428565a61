// How the page's scene is seen: the view, the look, the grid, the cell looked into and the
// constants of a surface of one's own; each change asks for a frame, and only a change does.
#include <algorithm>

#include "page_scene_state.h"

const View& pageView() { return scene().view; }

void setPageView(const View& view) {
  const View& now = scene().view;
  // A view that does not change (a turn at a pole's bound) draws nothing new.
  if (view.viewers == now.viewers && view.longitude == now.longitude &&
      view.latitude == now.latitude && view.distance == now.distance &&
      std::equal(view.centre, view.centre + 3, now.centre)) {
    return;
  }
  scene().view = view;
  changed();
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
  const bool typed = s.shown.typed && s.typed != nullptr;
  return {pointsOf(s.shown.state, typed), gridFor(typed), cameraOf(s.view)};
}

ShownSurface nextSurface() {
  const bool typed = typedShownNext();
  return {pointsOf(viewerState, typed), gridFor(typed), cameraOf(scene().view)};
}

Grid pageGrid() { return gridFor(typedShownNext()); }

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

FormulaSurface* typedSurface() { return scene().typed.get(); }

bool setTypedConstant(const std::string& name, double value) {
  FormulaSurface* typed = typedSurface();
  if (typed == nullptr || !typed->setConstant(name, value)) return false;
  changed();
  return true;
}
