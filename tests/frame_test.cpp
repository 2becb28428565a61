#include "render/frame.h"

#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <utility>
#include <vector>

#include "app/viewer_state.h"
#include "capture.h"
#include "gl_harness.h"
#include "pixels.h"
#include "render/mesh.h"

namespace {

const Rgb kBackground = toRgb(0.2, 0.2, 0.7);
const Rgb kAmbientGrey = toRgb(0.5, 0.5, 0.5);

// Window position of the caption's raster origin, row counted from the top.
void captionOrigin(int height, double* x, double* yFromTop) {
  double model[16], proj[16];
  GLint view[4];
  loadCamera();
  glGetDoublev(GL_MODELVIEW_MATRIX, model);
  glGetDoublev(GL_PROJECTION_MATRIX, proj);
  glGetIntegerv(GL_VIEWPORT, view);
  double wx, wy, wz;
  gluProject(-12.0, 3.0, 0.0, model, proj, view, &wx, &wy, &wz);
  *x = wx;
  *yFromTop = height - wy;
}

TEST(Frame, BackgroundCaptionAndAxes) {
  openViewer();
  viewerState.surfaceIndex = 0;
  const Image frame = readFrame();
  ASSERT_EQ(frame.width, 400);

  for (auto [x, y] : {std::pair{1, 1}, {398, 1}, {1, 398}, {398, 398}, {150, 1}}) {
    EXPECT_TRUE(near(frame.at(x, y), kBackground, 1))
        << PixelReport{x, y, frame.at(x, y), kBackground};
  }

  double x0, y0;
  captionOrigin(frame.height, &x0, &y0);
  EXPECT_NEAR(x0, 18, 1.5);
  EXPECT_NEAR(y0, 42, 1.5);

  // The box around the caption holds only background and the caption's ambient grey, and
  // each character's 8-pixel cell has ink exactly where the caption has a visible character.
  const char* caption = kCaptions[0];
  const int textWidth = 8 * static_cast<int>(std::strlen(caption));
  std::vector<int> inkPerCell(std::strlen(caption), 0);
  int left = frame.width, right = -1, top = frame.height, bottom = -1;
  for (int y = static_cast<int>(y0) - 20; y < static_cast<int>(y0) + 8; ++y) {
    for (int x = 0; x < static_cast<int>(x0) + textWidth + 20; ++x) {
      const Rgb c = frame.at(x, y);
      if (near(c, kBackground, 1)) continue;
      ASSERT_TRUE(near(c, kAmbientGrey, 1)) << PixelReport{x, y, c, kAmbientGrey};
      const int cell = (x - static_cast<int>(x0)) / 8;
      ASSERT_TRUE(cell >= 0 && cell < static_cast<int>(inkPerCell.size())) << x << "," << y;
      ++inkPerCell[cell];
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  for (std::size_t i = 0; i < inkPerCell.size(); ++i) {
    EXPECT_EQ(inkPerCell[i] > 0, caption[i] != ' ')
        << "character " << i << " '" << caption[i] << "' has " << inkPerCell[i] << " pixels";
  }
  EXPECT_GE(left, static_cast<int>(x0));
  EXPECT_LE(left, static_cast<int>(x0) + 2);
  EXPECT_LT(right, x0 + textWidth);
  EXPECT_GT(right, x0 + textWidth - 10);
  EXPECT_GE(top, y0 - 13);  // the 8 x 13 font sits on the raster origin
  EXPECT_LE(bottom, y0 + 3);

  // The vertical axis runs up the middle of the top edge: grey, two pixels wide.
  int axis = 0;
  for (int x = 150; x < 250; ++x) {
    const Rgb c = frame.at(x, 5);
    if (near(c, kBackground, 1)) continue;
    EXPECT_TRUE(near(c, kAmbientGrey, 1)) << PixelReport{x, 5, c, kAmbientGrey};
    ++axis;
  }
  EXPECT_EQ(axis, 2);
}

// Axes, then the cells, then the caption: the order of a frame as OpenGL received it.
TEST(Frame, DrawsAxesThenMeshThenCaption) {
  openViewer();
  viewerState.animate = false;
  const auto prims = feedback([] { drawFrame(); });
  const auto mesh = feedback([] {
    loadCamera();
    drawMesh();
  });
  const size_t bitmaps = std::strlen(kCaptions[0]);
  ASSERT_EQ(prims.size(), 3 + mesh.size() + bitmaps);
  for (size_t i = 0; i < 3; ++i) {
    ASSERT_EQ(prims[i].token, static_cast<GLenum>(GL_LINE_TOKEN)) << i;
    EXPECT_NEAR(prims[i].vertices[0].r, 0.5, 1e-3);
    EXPECT_NEAR(prims[i].vertices[0].b, 0.5, 1e-3);
  }
  for (size_t i = 0; i < mesh.size(); ++i) {
    ASSERT_EQ(prims[3 + i].token, mesh[i].token) << i;
  }
  for (size_t i = prims.size() - bitmaps; i < prims.size(); ++i) {
    ASSERT_EQ(prims[i].token, static_cast<GLenum>(GL_BITMAP_TOKEN)) << i;
    EXPECT_NEAR(prims[i].vertices[0].g, 0.5, 1e-3);
  }
}

TEST(Frame, CaptionFollowsTheSurfaceIndex) {
  openViewer();
  viewerState.animate = false;
  for (unsigned i = 0; i < kSurfaceCount; ++i) {
    viewerState.surfaceIndex = i;
    const auto prims = feedback([] {
      loadCamera();
      drawCaption();
    });
    // Bitmaps that fall outside the window are still reported while the raster position
    // is valid, so the count is the caption's length.
    EXPECT_EQ(prims.size(), std::strlen(kCaptions[i])) << "surface " << i;
  }
}

}  // namespace
