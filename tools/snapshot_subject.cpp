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

// The surface of `subject` at its state.
PointFunction pointsOf(const Subject& subject) {
  if (subject.typed == nullptr) {
    return builtInSurface(subject.surface, subject.animate, subject.phase);
  }
  return subject.typed->at(subject.animate ? subject.phase : 0.0);
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

// The frame of `subject`; the viewer's own frame, call for call, for a built-in surface seen by
// the viewer's camera. That frame reads the state its handlers share, so the subject's is
// handed to it there, and only there.
Image frameOf(const Subject& subject, int* leftOut) {
  viewerState.surfaceIndex = subject.surface;
  viewerState.animate = subject.animate;
  viewerState.phase = subject.phase;
  Scene scene;
  scene.camera = cameraOf(subject);
  scene.normals = subject.normals;
  scene.facet = subject.facet;
  scene.shading = subject.shading;
  if (!subject.grid.viewers) scene.grid = &subject.grid;
  const PointFunction points = pointsOf(subject);
  if (subject.typed != nullptr) {
    scene.surface = &points;
    scene.caption = subject.typed->caption().c_str();
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

Image stillFrame(const Subject& subject, int* leftOut) { return frameOf(subject, leftOut); }

Animation oscillation(const Subject& subject, int every, int* leftOut) {
  // The viewer's own idle handler advances the shared clock, from its start, as it runs.
  viewerState = ViewerState{};
  viewerState.surfaceIndex = subject.surface;
  Animation animation;
  animation.delayCentiseconds = kGifDelayCentiseconds;
  Subject now = subject;
  for (int frame = 0; frame < kIdleCallsPerSwing / every; ++frame) {
    for (int call = 0; call < every; ++call) onIdle();
    now.animate = viewerState.animate;
    now.phase = viewerState.phase;
    animation.frames.push_back(frameOf(now, leftOut));
    // Nine digits: the exact single-precision value.
    char note[32];
    std::snprintf(note, sizeof note, "phase %.9g", static_cast<double>(now.phase));
    animation.notes.push_back(note);
  }
  return animation;
}

std::string inspectionText(const Subject& subject) { return asJson(inspectionOf(subject)); }

std::string convergenceText(const Subject& subject) {
  return describe(normalFigures(pointsOf(subject), subject.grid));
}

namespace {

// The cells of the frame at the subject's state, and what a file's comments say of them.
CellMaker cellsOf(const Subject& subject) {
  const PointFunction points = pointsOf(subject);
  return [points](double u, double uNext, double v, double vNext) {
    return cellAt(points, u, uNext, v, vNext);
  };
}

ObjNotes notesOf(const Subject& subject) {
  return {NORMALS_VERSION, subject.typed ? subject.typed->caption() : kCaptions[subject.surface],
          subject.animate, subject.phase, subject.grid};
}

}  // namespace

std::string cellsText(const Subject& subject, int* leftOut) {
  return cellsAsObj(cellsOf(subject), notesOf(subject), leftOut);
}

std::string cellsStl(const Subject& subject, StlCounts* counts) {
  return cellsAsStl(cellsOf(subject), notesOf(subject), counts);
}
