#include "snapshot_subject.h"

#include <algorithm>
#include <cstdio>

#include "app/handlers.h"
#include "app/viewer_state.h"
#include "capture.h"
#include "explorer/figures.h"
#include "explorer/inspect.h"
#include "explorer/view.h"
#include "formula/formula_surface.h"
#include "obj/obj_file.h"
#include "obj/stl_file.h"
#include "snapshot_options.h"

namespace {

// The surface of `subject` at the current state.
PointFunction pointsOf(const Subject& subject) {
  if (subject.own == nullptr) return builtInSurface(subject.surface);
  return subject.own->at(viewerState);
}

// The camera of `subject` at the current state: fitted to the surface as it is now.
Camera cameraOf(const Subject& subject) {
  return subject.fit ? fitted(subject.camera, boundsOf(pointsOf(subject), subject.grid))
                     : subject.camera;
}

Inspection inspectionOf(const Subject& subject) {
  return inspect(pointsOf(subject), subject.inspect[0], subject.inspect[1], cameraOf(subject),
                 subject.grid);
}

// The current frame of `subject`; the viewer's own frame, call for call, for a built-in
// surface seen by the viewer's camera.
Image frameOf(const Subject& subject, int* leftOut) {
  Scene scene;
  scene.camera = cameraOf(subject);
  scene.normals = subject.normals;
  scene.facet = subject.facet;
  scene.shading = subject.shading;
  if (!subject.grid.viewers) scene.grid = &subject.grid;
  const PointFunction points = pointsOf(subject);
  if (subject.own != nullptr) {
    scene.surface = &points;
    scene.caption = subject.own->caption().c_str();
  }
  Marker marked;
  if (subject.inspect[0] >= 0) {
    marked = inspectionOf(subject).marker();
    scene.marked = &marked;
  }
  int left = 0;
  const Image frame = readFrame(scene, &left);
  *leftOut = std::max(*leftOut, left);
  return frame;
}

}  // namespace

Image stillFrame(const Subject& subject, bool animate, float phase, int* leftOut) {
  viewerState.surfaceIndex = subject.surface;
  viewerState.animate = animate;
  viewerState.phase = phase;
  return frameOf(subject, leftOut);
}

Animation oscillation(const Subject& subject, int every, int* leftOut) {
  viewerState = ViewerState{};
  viewerState.surfaceIndex = subject.surface;
  Animation animation;
  animation.delayCentiseconds = kGifDelayCentiseconds;
  for (int frame = 0; frame < kIdleCallsPerSwing / every; ++frame) {
    for (int call = 0; call < every; ++call) onIdle();
    animation.frames.push_back(frameOf(subject, leftOut));
    // Nine digits: the exact single-precision value.
    char note[32];
    std::snprintf(note, sizeof note, "phase %.9g", static_cast<double>(viewerState.phase));
    animation.notes.push_back(note);
  }
  return animation;
}

std::string inspectionText(const Subject& subject, bool animate, float phase) {
  viewerState.surfaceIndex = subject.surface;
  viewerState.animate = animate;
  viewerState.phase = phase;
  return asJson(inspectionOf(subject));
}

std::string convergenceText(const Subject& subject, bool animate, float phase) {
  viewerState.surfaceIndex = subject.surface;
  viewerState.animate = animate;
  viewerState.phase = phase;
  return describe(normalFigures(pointsOf(subject), subject.grid));
}

namespace {

// The cells of the frame at the current state, and what a file's comments say of them.
CellMaker cellsOf(const Subject& subject) {
  const unsigned surface = subject.surface;
  const PointFunction points = pointsOf(subject);
  const bool own = subject.own != nullptr;
  return [points, own, surface](double u, double uNext, double v, double vNext) {
    return own ? cellAt(points, u, uNext, v, vNext) : cellAt(surface, u, uNext, v, vNext);
  };
}

ObjNotes notesOf(const Subject& subject, bool animate, float phase) {
  return {NORMALS_VERSION, subject.own ? subject.own->caption() : kCaptions[subject.surface],
          animate, phase, subject.grid};
}

}  // namespace

std::string cellsText(const Subject& subject, bool animate, float phase, int* leftOut) {
  viewerState.surfaceIndex = subject.surface;
  viewerState.animate = animate;
  viewerState.phase = phase;
  return cellsAsObj(cellsOf(subject), notesOf(subject, animate, phase), leftOut);
}

std::string cellsStl(const Subject& subject, bool animate, float phase, StlCounts* counts) {
  viewerState.surfaceIndex = subject.surface;
  viewerState.animate = animate;
  viewerState.phase = phase;
  return cellsAsStl(cellsOf(subject), notesOf(subject, animate, phase), counts);
}
