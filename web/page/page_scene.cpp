#include "page_scene.h"

#include <GL/glut.h>

#include <memory>

#include "app/handlers.h"
#include "formula/formula_surface.h"
#include "obj/obj_file.h"
#include "page_api.h"
#include "render/frame.h"

namespace {

struct PageScene {
  std::unique_ptr<FormulaSurface> own;
  bool ownShown = false;
  Shown shown;
};

PageScene& scene() {
  static PageScene s;
  return s;
}

// The surface of one's own at the current state, for a frame: t is the phase while the
// animation runs, 0 at rest.
PointFunction ownPoints() {
  return scene().own->gridPoints(viewerState.animate ? viewerState.phase : 0.0);
}

}  // namespace

void showPageFrame() {
  PageScene& s = scene();
  const bool own = s.ownShown && s.own != nullptr;
  const int before = s.shown.leftOut;
  s.shown = {viewerState, own, 0};
  if (own) {
    const PointFunction point = ownPoints();
    Scene frame;
    frame.surface = &point;
    frame.caption = s.own->caption().c_str();
    s.shown.leftOut = drawFrame(frame);
  } else {
    drawFrame();
  }
  glutSwapBuffers();
  if (s.shown.leftOut != before) tellPageOfChange();
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
                    FormulaError* error) {
  std::unique_ptr<FormulaSurface> own = FormulaSurface::parse(x, y, z, error);
  if (own == nullptr) return false;
  PageScene& s = scene();
  s.own = std::move(own);
  s.ownShown = true;
  // Its place in the cycle is after the last surface.
  viewerState.surfaceIndex = kSurfaceCount - 1;
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

std::string shownCellsAsObj(const std::string& version) {
  PageScene& s = scene();
  const ViewerState now = viewerState;
  viewerState = s.shown.state;
  const unsigned surface = viewerState.surfaceIndex;
  const bool own = s.shown.own && s.own != nullptr;
  const PointFunction points = own ? ownPoints() : PointFunction();
  const std::string text = cellsAsObj(
      [&](double u, double uNext, double v, double vNext) {
        return own ? cellAt(points, u, uNext, v, vNext) : cellAt(surface, u, uNext, v, vNext);
      },
      {version, own ? s.own->caption() : kCaptions[surface], viewerState.animate,
       viewerState.phase});
  viewerState = now;
  return text;
}
