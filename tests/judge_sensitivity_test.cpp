// The browsers' golden frames are judged by what each browser was measured to draw, give or
// take each case's slack (tests/golden/cases.txt). Here, with Mesa's own frames, each
// golden case shows that its slack is tight: a frame without its caption, or without the cell
// outline that shows most on its own, is off by more than twice the slack, so it fails wherever a
// browser strays within its band. The frames without are composed here from the viewer's own steps.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "app/viewer_state.h"
#include "capture.h"
#include "cell_parts.h"
#include "gl_harness.h"
#include "golden.h"
#include "render/frame.h"
#include "render/mesh.h"

namespace {

// A frame as the display handler draws it, but without its caption (`leftOut` < 0) or without
// the outline of the sweep's cell number `leftOut`.
Image frameWithout(int leftOut) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glColor3f(1, 1, 1);
  loadCamera();
  drawAxes();
  int index = 0;
  const unsigned surface = viewerState.surfaceIndex;
  sweepGrid([&](double u, double uNext, double v, double vNext) {
    const Cell c = cellAt(surface, u, uNext, v, vNext);
    if (index++ != leftOut) {
      drawCell(c);
      return;
    }
    drawCellFace(c);
    drawCellNormalLine(c);
  });
  if (leftOut >= 0) drawCaption();
  return readBackBuffer();
}

TEST(JudgeSensitivity, AFrameWithoutItsCaptionOrAnOutlineFallsOutOfEveryBand) {
  openViewer();
  for (const GoldenCase& g : readGoldenCases(NORMALS_GOLDEN_DIR)) {
    SCOPED_TRACE(g.file);
    const int slack = g.slack;
    viewerState.surfaceIndex = g.surface;
    viewerState.animate = g.animate;
    viewerState.phase = g.phase;
    const Image full = readFrame();
    const int caption = compareImages(frameWithout(-1), full).differing;
    // Only the cells on the sweep's border have edges no neighbour's outline draws again.
    int outline = 0, cell = -1;
    for (int k = 0; k < kGridSize * kGridSize; ++k) {
      const int row = k / kGridSize, column = k % kGridSize;
      if (row != 0 && row != kGridSize - 1 && column != 0 && column != kGridSize - 1) continue;
      const int shown = compareImages(frameWithout(k), full).differing;
      if (shown > outline) {
        outline = shown;
        cell = k;
      }
    }
    std::printf("%-26s caption %d pixels, cell %d's outline alone %d pixels\n", g.file.c_str(),
                caption, cell, outline);
    EXPECT_GT(caption, 2 * slack);
    EXPECT_GT(outline, 2 * slack);
  }
}

}  // namespace
