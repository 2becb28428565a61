// The explorer's state as one value for the page: everything its controls, its name and its
// address show, read in one call after each change rather than number by number; and the facts
// of the viewer that the page's own checks and examples take as theirs. Exported to the page by
// their keywords.
#include <emscripten.h>

#include <string>

#include "app/startup.h"
#include "explorer/json_text.h"
#include "formula/formula_surface.h"
#include "page_scene.h"
#include "render/frame.h"

namespace {

std::string gridJson(const Grid& g) {
  const double* r = pageGridRanges();
  return JsonObject()
      .add("viewers", jsonBool(g.viewers))
      .add("rows", jsonNumber(g.cellsU))
      .add("columns", jsonNumber(g.cellsV))
      .add("ranges", pageGridRanged() ? jsonNumbers({r[0], r[1], r[2], r[3]}) : "null")
      .add("span", jsonNumbers({kGridStart, gridEnd()}))
      .text();
}

std::string viewJson(const View& v) {
  const bool captioned = captionInView(cameraOf(v), kWindowWidth, kWindowHeight);
  return JsonObject()
      .add("viewers", jsonBool(v.viewers))
      .add("longitude", jsonNumber(v.longitude))
      .add("latitude", jsonNumber(v.latitude))
      .add("distance", jsonNumber(v.distance))
      .add("centre", jsonNumbers({v.centre[0], v.centre[1], v.centre[2]}))
      .add("captionInView", jsonBool(captioned))
      .text();
}

std::string constantsJson(const FormulaSurface* typed) {
  std::string json = "[";
  for (const std::string& name : typed ? typed->constants() : std::vector<std::string>{}) {
    json += JsonObject()
                .add("name", jsonString(name))
                .add("value", jsonNumber(typed->constant(name)))
                .text() +
            ",";
  }
  if (json.size() > 1) json.pop_back();
  return json + "]";
}

}  // namespace

extern "C" {

// What the next frame shows, as JSON: the surface (its number, or the count of built-in ones for
// the surface of one's own, with its formulas and constants), whether it moves, its caption, the
// grid, the view, the look (normal lines, facet normal, shading, as normalsSetLook takes them),
// the cell looked into ([row, column] or null); and how many cells the frame on the canvas left
// out.
EMSCRIPTEN_KEEPALIVE const char* normalsState() {
  static std::string json;
  const FormulaSurface* typed = typedShownNext() ? typedSurface() : nullptr;
  const MeshLook& look = pageLook();
  const Grid grid = pageGrid();
  const int cell = inspectedCell();
  json = JsonObject()
             .add("surface", jsonNumber(typed ? kSurfaceCount : viewerState.surfaceIndex))
             .add("own", jsonBool(typed != nullptr))
             .add("moving", jsonBool(viewerState.animate))
             .add("caption",
                  jsonString(typed ? typed->caption() : kCaptions[viewerState.surfaceIndex]))
             .add("formulas", typed ? "[" + jsonString(typed->formula(0)) + "," +
                                          jsonString(typed->formula(1)) + "," +
                                          jsonString(typed->formula(2)) + "]"
                                    : "null")
             .add("constants", constantsJson(typed))
             .add("cells", jsonNumber(grid.cellCount()))
             .add("leftOut", jsonNumber(shownFrame().leftOut))
             .add("grid", gridJson(grid))
             .add("view", viewJson(pageView()))
             .add("look",
                  jsonNumbers({static_cast<double>(look.lines), static_cast<double>(look.facet),
                               static_cast<double>(look.shading)}))
             .add("cell", cell < 0 ? "null"
                                   : jsonNumbers({static_cast<double>(cell / grid.cellsV),
                                                  static_cast<double>(cell % grid.cellsV)}))
             .text();
  return json.c_str();
}

// What the page's own checks of a link and its fields take from the viewer, as JSON: the
// built-in surfaces' captions, the longest formula, the viewer's cells along each parameter and
// the most a grid may have, and the names a link gives a meaning of its own, which no constant
// takes (u and v, the variables, among them).
EMSCRIPTEN_KEEPALIVE const char* normalsFacts() {
  static std::string json;
  std::string captions = "[", names = "[\"u\",\"v\"";
  for (const char* caption : kCaptions) captions += jsonString(caption) + ",";
  captions.back() = ']';
  for (const char* name : kLinkNames) names += "," + jsonString(name);
  json = JsonObject()
             .add("captions", captions)
             .add("formulaLimit", jsonNumber(static_cast<double>(kMaxFormulaLength)))
             .add("viewersCells", jsonNumber(kGridSize))
             .add("mostCells", jsonNumber(kMostCells))
             .add("linkNames", names + "]")
             .text();
  return json.c_str();
}

}  // extern "C"
