#include "app/handlers.h"

#include <GL/glut.h>

#include <cmath>
#include <cstdlib>

#include "app/viewer_state.h"

void onKeyboard(unsigned char key, int /*x*/, int /*y*/) {
  if (key == kEscape) {
    std::exit(1);
  }
  if (key == kSpace) {
    // No redisplay: the idle handler asks for a frame continuously.
    viewerState.animate = !viewerState.animate;
    return;
  }
  viewerState.surfaceIndex = (viewerState.surfaceIndex + 1u) % kSurfaceCount;
  glutPostRedisplay();
}

void onIdle() {
  const double sum = static_cast<double>(viewerState.clock) + kPhaseStep;
  viewerState.phase = static_cast<float>((std::sin(sum) + 1) * 0.5);
  // Left to grow, the float clock would coarsen and stall for good at 524288.
  viewerState.clock = static_cast<float>(sum >= kClockPeriod ? sum - kClockPeriod : sum);
  glutPostRedisplay();
}
