// The page's calls for turning the view and looking into a cell: each changes what the next
// frame shows only when it changes something, and asks for that one frame. Exported to the page
// by their own keywords.
#include <emscripten.h>

#include <string>

#include "explorer/figures.h"
#include "explorer/inspect.h"
#include "page_scene.h"

namespace {

// The bounds of the surface the next frame shows: a link sets its surface and grid before its
// view, all before the frame that draws them.
Bounds nextBounds() {
  const ShownSurface next = nextSurface();
  return boundsOf(next.point, next.grid);
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void normalsTurn(double longitude, double latitude) {
  setPageView(turned(pageView(), longitude, latitude));
}
EMSCRIPTEN_KEEPALIVE void normalsZoom(double factor) {
  if (factor > 0) setPageView(zoomed(pageView(), factor, reachOf(nextBounds())));
}
EMSCRIPTEN_KEEPALIVE void normalsFit() { setPageView(fitted(pageView(), nextBounds())); }
EMSCRIPTEN_KEEPALIVE void normalsResetView() {
  if (!pageView().viewers) setPageView(View{});
}
// The view a link asks for, looking at (x, y, z); false, changing nothing, for numbers that are
// not finite.
EMSCRIPTEN_KEEPALIVE int normalsSetView(double longitude, double latitude, double distance,
                                        double x, double y, double z) {
  View v;
  const double centre[3] = {x, y, z};
  if (!fromLink(longitude, latitude, distance, centre, reachOf(nextBounds()), &v)) return 0;
  setPageView(v);
  return 1;
}

// The cell under (x, y) of the frame on the canvas (pixels of a drawing buffer `width` x
// `height` from its top left), row * the grid's columns + column, or -1.
EMSCRIPTEN_KEEPALIVE int normalsPick(double x, double y, int width, int height) {
  const ShownSurface shown = shownSurface();
  return pick(shown.point, shown.camera, x, y, width, height, shown.grid);
}

// Sets one of them; false, changing nothing, for another number.
EMSCRIPTEN_KEEPALIVE int normalsSetLook(int what, int choice) {
  const int most[3] = {2, 1, 2};
  if (what < 0 || what > 2 || choice < 0 || choice > most[what]) return 0;
  MeshLook l = pageLook();
  if (what == 0) l.lines = static_cast<NormalLines>(choice);
  if (what == 1) l.facet = static_cast<FacetNormal>(choice);
  if (what == 2) l.shading = static_cast<Shading>(choice);
  setPageLook(l);
  return 1;
}

// Looks into the cell at `row` and `column` of the next frame's grid, or into none (-1, -1);
// false, changing nothing, for a cell the grid does not have.
EMSCRIPTEN_KEEPALIVE int normalsInspect(int row, int column) {
  if (row == -1 && column == -1) {
    setInspectedCell(-1);
    return 1;
  }
  const Grid grid = pageGrid();
  if (row < 0 || row >= grid.cellsU || column < 0 || column >= grid.cellsV) return 0;
  setInspectedCell(row * grid.cellsV + column);
  return 1;
}

// The numbers of the cell looked into, in the frame on the canvas, as JSON; "" for none.
EMSCRIPTEN_KEEPALIVE const char* normalsInspection() {
  static std::string json;
  json.clear();
  const int cell = inspectedCell();
  if (cell >= 0) {
    const ShownSurface shown = shownSurface();
    const int columns = shown.grid.cellsV;
    json = asJson(inspect(shown.point, cell / columns, cell % columns, shown.camera, shown.grid));
  }
  return json.c_str();
}

// How close each kind of normal of the next frame comes to the surface's own, and the order
// of that, as JSON (figuresJson).
EMSCRIPTEN_KEEPALIVE const char* normalsConvergence() {
  static std::string text;
  const ShownSurface next = nextSurface();
  text = figuresJson(normalFigures(next.point, next.grid));
  return text.c_str();
}

}  // extern "C"
