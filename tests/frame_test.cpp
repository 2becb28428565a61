#include "render/frame.h"

#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cstring>

#include "app/viewer_state.h"
#include "gl_harness.h"

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
    EXPECT_TRUE(near(frame.at(x, y), kBackground, 1)) << x << "," << y;
  }

  double x0, y0;
  captionOrigin(frame.height, &x0, &y0);
  EXPECT_NEAR(x0, 18, 1.5);
  EXPECT_NEAR(y0, 42, 1.5);

  // The box around the caption holds only background and the caption's ambient grey.
  const int textWidth = 8 * static_cast<int>(std::strlen(kCaptions[0]));
  int grey = 0, left = frame.width, right = -1, top = frame.height, bottom = -1;
  for (int y = static_cast<int>(y0) - 20; y < static_cast<int>(y0) + 8; ++y) {
    for (int x = 0; x < static_cast<int>(x0) + textWidth + 20; ++x) {
      const Rgb c = frame.at(x, y);
      if (near(c, kBackground, 1)) continue;
      ASSERT_TRUE(near(c, kAmbientGrey, 1))
          << "caption pixel " << x << "," << y << " is " << c.r << " " << c.g << " " << c.b;
      ++grey;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  EXPECT_GT(grey, 100);
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
    EXPECT_TRUE(near(c, kAmbientGrey, 1)) << "axis pixel " << x << " is " << c.r << " " << c.g;
    ++axis;
  }
  EXPECT_EQ(axis, 2);
}

// Axes, then the cells, then the caption: the order of a frame as OpenGL received it.
TEST(Frame, DrawsAxesThenMeshThenCaption) {
  openViewer();
  viewerState.animate = false;
  const auto prims = feedback(drawFrame);
  ASSERT_GT(prims.size(), 3u + 17u);
  for (size_t i = 0; i < 3; ++i) {
    ASSERT_EQ(prims[i].token, static_cast<GLenum>(GL_LINE_TOKEN)) << i;
    EXPECT_NEAR(prims[i].vertices[0].r, 0.5, 1e-3);
    EXPECT_NEAR(prims[i].vertices[0].b, 0.5, 1e-3);
  }
  const size_t bitmaps = std::strlen(kCaptions[0]);
  for (size_t i = prims.size() - bitmaps; i < prims.size(); ++i) {
    ASSERT_EQ(prims[i].token, static_cast<GLenum>(GL_BITMAP_TOKEN)) << i;
    EXPECT_NEAR(prims[i].vertices[0].g, 0.5, 1e-3);
  }
  size_t polygons = 0;
  for (size_t i = 3; i < prims.size() - bitmaps; ++i) {
    EXPECT_NE(prims[i].token, static_cast<GLenum>(GL_BITMAP_TOKEN)) << i;
    polygons += prims[i].token == GL_POLYGON_TOKEN;
  }
  EXPECT_GT(polygons, 441u);
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
