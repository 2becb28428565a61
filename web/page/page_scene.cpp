#include "page_scene.h"

#include <GL/glut.h>

#include <memory>

#include "app/handlers.h"
#include "explorer/inspect.h"
#include "formula/formula_surface.h"
#include "geometry/surface.h"
#include "obj/obj_file.h"
#include "page_api.h"
#include "render/frame.h"

namespace {

struct PageScene {
  std::unique_ptr<FormulaSurface> own;
  bool ownShown = false;
  Shown shown;
  View view;
  int inspected = -1;
  NormalLines normals = NormalLines::kFacet;
};

PageScene& scene() {
  static PageScene s;
  return s;
}

// The surface of one's own at the current state, for a frame.
PointFunction ownPoints() { return scene().own->at(viewerState); }

// The point function of the surface the next frame shows, at the current state.
PointFunction pointsNow(bool own) {
  if (own) return ownPoints();
  const unsigned surface = viewerState.surfaceIndex;
  return [surface](double u, double v) { return surfacePoint(surface, u, v); };
}

}  // namespace

void showPageFrame() {
  PageScene& s = scene();
  const bool own = s.ownShown && s.own != nullptr;
  const int before = s.shown.leftOut;
  s.shown = {viewerState, own, 0};
  // The viewer's own frame, call for call, unless the page has more to show.
  if (!own && s.view.ownCamera && s.inspected < 0 && s.normals == NormalLines::kFacet) {
    drawFrame();
  } else {
    const PointFunction point = pointsNow(own);
    Scene frame;
    frame.camera = cameraOf(s.view);
    frame.normals = s.normals;
    if (own) {
      frame.surface = &point;
      frame.caption = s.own->caption().c_str();
    }
    Marker marked;
    if (s.inspected >= 0) {
      marked = inspect(point, s.inspected / kGridSize, s.inspected % kGridSize, frame.camera)
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

const View& pageView() { return scene().view; }

void setPageView(const View& view) {
  const View& now = scene().view;
  // A view that does not change (a turn at a pole's bound) draws nothing new.
  if (view.ownCamera == now.ownCamera && view.longitude == now.longitude &&
      view.latitude == now.latitude && view.distance == now.distance) {
    return;
  }
  scene().view = view;
  glutPostRedisplay();
  tellPageOfChange();
}

int inspectedCell() { return scene().inspected; }

NormalLines pageNormals() { return scene().normals; }

void setPageNormals(NormalLines lines) {
  if (lines == scene().normals) return;
  scene().normals = lines;
  glutPostRedisplay();
  tellPageOfChange();
}

void setInspectedCell(int cell) {
  if (cell == scene().inspected) return;
  scene().inspected = cell >= 0 && cell < kCellCount ? cell : -1;
  glutPostRedisplay();
  tellPageOfChange();
}

void withShownFrame(const std::function<void(const PointFunction& point)>& look) {
  const PageScene& s = scene();
  const ViewerState now = viewerState;
  viewerState = s.shown.state;
  look(pointsNow(s.shown.own && s.own != nullptr));
  viewerState = now;
}

std::string shownCellsAsObj(const std::string& version) {
  const PageScene& s = scene();
  const bool own = s.shown.own && s.own != nullptr;
  std::string text;
  withShownFrame([&](const PointFunction& point) {
    const unsigned surface = viewerState.surfaceIndex;
    text = cellsAsObj(
        [&](double u, double uNext, double v, double vNext) {
          return own ? cellAt(point, u, uNext, v, vNext) : cellAt(surface, u, uNext, v, vNext);
        },
        {version, own ? s.own->caption() : kCaptions[surface], viewerState.animate,
         viewerState.phase});
  });
  return text;
}
