#include "snapshot_subject.h"

#include <algorithm>
#include <cstdio>

#include "app/handlers.h"
#include "app/viewer_state.h"
#include "capture.h"
#include "formula/formula_surface.h"
#include "obj/obj_file.h"
#include "snapshot_options.h"

namespace {

// The surface of one's own at the current state, for a frame: t is the phase while the
// animation runs, 0 at rest.
PointFunction pointsOf(const FormulaSurface& own) {
  return own.at(viewerState.animate ? viewerState.phase : 0.0);
}

// The current frame of `subject`; the viewer's own frame, call for call, for a built-in
// surface seen by the viewer's camera.
Image frameOf(const Subject& subject, int* leftOut) {
  Scene scene;
  scene.camera = subject.camera;
  const PointFunction points = subject.own ? pointsOf(*subject.own) : PointFunction();
  if (subject.own != nullptr) {
    scene.surface = &points;
    scene.caption = subject.own->caption().c_str();
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

std::string cellsText(const Subject& subject, bool animate, float phase) {
  viewerState.surfaceIndex = subject.surface;
  viewerState.animate = animate;
  viewerState.phase = phase;
  const unsigned surface = subject.surface;
  const PointFunction points = subject.own ? pointsOf(*subject.own) : PointFunction();
  return cellsAsObj(
      [&](double u, double uNext, double v, double vNext) {
        return subject.own ? cellAt(points, u, uNext, v, vNext)
                           : cellAt(surface, u, uNext, v, vNext);
      },
      {NORMALS_VERSION, subject.own ? subject.own->caption() : kCaptions[surface], animate, phase});
}
