#include "render/mesh.h"

#include <GL/glu.h>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "app/viewer_state.h"
#include "capture.h"
#include "geometry/surface.h"
#include "gl_harness.h"
#include "pixels.h"
#include "render/frame.h"

namespace {

// World coordinates of a feedback vertex, under the camera and the projection in force.
struct World {
  double model[16], proj[16];
  GLint view[4];
  World() {
    glGetDoublev(GL_MODELVIEW_MATRIX, model);
    glGetDoublev(GL_PROJECTION_MATRIX, proj);
    glGetIntegerv(GL_VIEWPORT, view);
  }
  Vector3 operator()(const FeedbackVertex& v) const {
    Vector3 p;
    gluUnProject(v.x, v.y, v.z, model, proj, view, &p.x, &p.y, &p.z);
    return p;
  }
};

struct Drawn {
  std::vector<Primitive> prims;
  World world;
};

// Draws the mesh under the real camera, so the lighting is the frame's, but through a wide
// orthographic projection that keeps every cell whole and depth linear.
Drawn drawnMesh(unsigned surface, void (*draw)() = drawMesh) {
  viewerState.surfaceIndex = surface;
  viewerState.animate = false;
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(-16, 16, -16, 16, 0, 40);
  glMatrixMode(GL_MODELVIEW);
  loadCamera();
  Drawn d{feedback(draw), World{}};
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  return d;
}

// Each cell comes back as two triangles, a four-segment outline and one normal line.
constexpr size_t kPerCell = 7;
constexpr size_t kCells = kGridSize * kGridSize;
constexpr size_t kRow = kGridSize;

TEST(Mesh, FlatSheetAtRest) {
  openViewer();
  const Drawn d = drawnMesh(0);
  ASSERT_EQ(d.prims.size(), kCells * kPerCell);
  const double lit = 0.5 + 0.5 / std::sqrt(3.0);  // cosine of the downward normal and the light
  for (size_t cell = 0; cell < kCells; ++cell) {
    SCOPED_TRACE(testing::Message() << "cell " << cell);
    const Primitive* p = &d.prims[cell * kPerCell];
    for (int k = 0; k < 2; ++k) {
      ASSERT_EQ(p[k].token, static_cast<GLenum>(GL_POLYGON_TOKEN));
      for (const FeedbackVertex& v : p[k].vertices) {
        EXPECT_NEAR(v.r, lit, 1e-3);
        EXPECT_NEAR(v.g, lit, 1e-3);
        EXPECT_NEAR(d.world(v).y, 0.0, 1e-4);
      }
    }
    for (int k = 2; k < 6; ++k) {
      ASSERT_EQ(p[k].token, static_cast<GLenum>(GL_LINE_TOKEN));
      for (const FeedbackVertex& v : p[k].vertices) {
        EXPECT_EQ(v.r + v.g + v.b, 0.0f);
        EXPECT_NEAR(d.world(v).y, kOutlineLift, 1e-4);
      }
    }
    const Primitive& line = p[6];
    ASSERT_EQ(line.token, static_cast<GLenum>(GL_LINE_TOKEN));
    EXPECT_NEAR(line.vertices[0].r, 0.5, 1e-3);
    EXPECT_NEAR(line.vertices[0].g, 0.0, 1e-3);
    const Vector3 from = d.world(line.vertices[0]);
    const Vector3 up = d.world(line.vertices[1]) - from;
    EXPECT_NEAR(up.x, 0.0, 1e-4);
    EXPECT_NEAR(up.y, 0.5, 1e-4);
    EXPECT_NEAR(up.z, 0.0, 1e-4);
  }
  const Vector3 first = d.world(d.prims[0].vertices[0]);
  EXPECT_NEAR(first.x, -5, 1e-4);
  EXPECT_NEAR(first.z, -5, 1e-4);
}

// On the cylinder and the sphere the red lines point away from the axis or the centre. On the
// sphere the row that ends at the pole has two corners a rounding error apart, so its edge and
// diagonal are parallel and the guarded normal all but vanishes; the last row, which runs past
// the pole, points inward.
TEST(Mesh, NormalLinesPointOutward) {
  openViewer();
  struct Case {
    unsigned surface;
    bool flatY;  // radial direction ignores y (cylinder)
  };
  for (const Case& c : {Case{4, true}, Case{5, false}}) {
    const Drawn d = drawnMesh(c.surface);
    ASSERT_EQ(d.prims.size(), kCells * kPerCell);
    for (size_t cell = 0; cell < kCells; ++cell) {
      const Primitive& line = d.prims[cell * kPerCell + 6];
      const Vector3 from = d.world(line.vertices[0]);
      const Vector3 dir = d.world(line.vertices[1]) - from;
      const Vector3 radial{from.x, c.flatY ? 0.0 : from.y, from.z};
      const double outward =
          (dir.x * radial.x + dir.y * radial.y + dir.z * radial.z) / radial.length();
      SCOPED_TRACE(testing::Message() << "surface " << c.surface << " cell " << cell);
      if (c.surface == 5 && cell % kRow == kRow - 2) {
        EXPECT_LT(dir.length(), 1e-6);
      } else if (c.surface == 5 && cell % kRow == kRow - 1) {
        EXPECT_LT(outward, -0.4);
      } else {
        EXPECT_GT(outward, 0.4);
      }
    }
  }
}

// A zero normal lights the quad with ambient light only and draws a line of no length.
TEST(Mesh, CollapsedCellDrawsWithoutDividingByZero) {
  openViewer();
  const Drawn d = drawnMesh(0, [] {
    const Vector3 p{1, 0, 1};
    drawCell(cellFromCorners(p, p, {2, 0, 2}, {2, 0, 1}));
  });
  ASSERT_EQ(d.prims.size(), kPerCell);
  for (const FeedbackVertex& v : d.prims[0].vertices) EXPECT_NEAR(v.r, 0.5, 1e-3);
  const Primitive& line = d.prims[6];
  EXPECT_EQ(line.vertices[0].x, line.vertices[1].x);
  EXPECT_EQ(line.vertices[0].y, line.vertices[1].y);
  EXPECT_FALSE(std::isnan(line.vertices[1].x));
}

// Every pixel of the sheet at rest is one of the frame's few colours, and each is present.
TEST(Mesh, FramePixelsOfTheFlatSheet) {
  openViewer();
  viewerState.animate = false;
  const struct {
    Rgb colour;
    int minimum;
  } kinds[] = {
      {toRgb(0.2, 0.2, 0.7), 20000},  // background
      {toRgb(0.5 + 0.5 / std::sqrt(3.0), 0.5 + 0.5 / std::sqrt(3.0), 0.5 + 0.5 / std::sqrt(3.0)),
       30000},                      // lit cells
      {toRgb(0, 0, 0), 2000},       // outlines
      {toRgb(0.5, 0, 0), 2000},     // normal lines
      {toRgb(0.5, 0.5, 0.5), 200},  // axes, caption
  };
  int counts[5] = {};
  const Image frame = readFrame();
  for (int y = 0; y < frame.height; ++y) {
    for (int x = 0; x < frame.width; ++x) {
      const Rgb c = frame.at(x, y);
      int k = 0;
      while (k < 5 && !near(c, kinds[k].colour, 2)) ++k;
      ASSERT_LT(k, 5) << "pixel " << x << "," << y << " is " << c
                      << ", none of the background, lit cell, outline, normal line or grey";
      ++counts[k];
    }
  }
  for (int k = 0; k < 5; ++k) EXPECT_GE(counts[k], kinds[k].minimum) << "colour " << k;
}

}  // namespace
