// The pixels a line's rectangle covers in the browser build are the pixels Mesa's own line
// covers: each segment drawn by Mesa as a 2-pixel line, and again as the two triangles of its
// rectangle, in the real window, must fill exactly the same pixels.
#include "line_rectangle.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <utility>

#include "app/startup.h"
#include "capture.h"
#include "geometry/grid.h"
#include "gl_harness.h"
#include "pipeline/fixed_function.h"
#include "render/frame.h"

namespace {

using Pixels = std::set<std::pair<int, int>>;

// Window coordinates (y up) in a 400 x 400 viewport, as normalised device coordinates. The
// table's coordinates are quarters of a pixel, so that both ways there are exact.
float ndc(float window) { return window / 200.0f - 1.0f; }

Pixels drawn(void (*draw)(const float*, const float*), const float* a, const float* b) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  draw(a, b);
  const Image frame = readBackBuffer();
  Pixels lit;
  for (int y = 0; y < frame.height; ++y) {
    for (int x = 0; x < frame.width; ++x) {
      if (frame.at(x, y).r > 128) lit.insert({x, y});
    }
  }
  return lit;
}

void mesasLine(const float* a, const float* b) {
  glBegin(GL_LINES);
  glVertex3f(ndc(a[0]), ndc(a[1]), 0);
  glVertex3f(ndc(b[0]), ndc(b[1]), 0);
  glEnd();
}

void layersRectangle(const float* a, const float* b) {
  const float start[4] = {ndc(a[0]), ndc(a[1]), 0, 1}, end[4] = {ndc(b[0]), ndc(b[1]), 0, 1};
  const LineRectangle line = lineRectangle(start, end, 400, 400, 2);
  ASSERT_TRUE(line.visible);
  glBegin(GL_TRIANGLES);
  for (int corner : {0, 1, 2, 3, 1, 2}) {
    glVertex3f(ndc(line.corners[corner][0]), ndc(line.corners[corner][1]), 0);
  }
  glEnd();
}

TEST(LineRectangle, CoversThePixelsOfMesasLine) {
  openViewer();
  glPushAttrib(GL_ENABLE_BIT | GL_LINE_BIT | GL_CURRENT_BIT | GL_COLOR_BUFFER_BIT);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glDisable(GL_LIGHTING);
  glDisable(GL_DEPTH_TEST);
  glClearColor(0, 0, 0, 1);
  glLineWidth(2);
  glColor3f(1, 1, 1);

  const struct {
    const char* line;
    float a[2], b[2];
  } cases[] = {
      {"right, ends at pixel centres", {100.5f, 200.5f}, {140.5f, 200.5f}},
      {"left, ends at pixel centres", {140.5f, 200.5f}, {100.5f, 200.5f}},
      {"right, ends on pixel edges", {100, 200}, {150, 200}},
      {"up, ends at pixel centres", {60.5f, 100.5f}, {60.5f, 170.5f}},
      {"down, ends on pixel edges", {60, 170}, {60, 100}},
      {"shallow, rising right", {100.25f, 100.75f}, {180.75f, 130.25f}},
      {"shallow, falling left", {180.75f, 130.25f}, {100.25f, 100.75f}},
      {"shallow, falling right", {20.75f, 330.25f}, {90.25f, 310.75f}},
      {"steep, rising right", {200.5f, 100.25f}, {215.75f, 190.5f}},
      {"steep, falling left", {215.75f, 190.5f}, {200.5f, 100.25f}},
      {"steep, rising left", {330.25f, 20.75f}, {310.75f, 90.25f}},
      {"diagonal", {50.5f, 50.5f}, {90.5f, 90.5f}},
      {"diagonal, off centre", {250.25f, 50.75f}, {210.75f, 90.25f}},
      {"short", {10.25f, 10.25f}, {11.75f, 10.5f}},
      {"leaving the window", {390.5f, 380.25f}, {420.75f, 395.5f}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    const Pixels mesa = drawn(mesasLine, c.a, c.b);
    const Pixels layer = drawn(layersRectangle, c.a, c.b);
    EXPECT_FALSE(mesa.empty());
    Pixels onlyMesa, onlyLayer;
    for (const auto& p : mesa) {
      if (layer.count(p) == 0) onlyMesa.insert(p);
    }
    for (const auto& p : layer) {
      if (mesa.count(p) == 0) onlyLayer.insert(p);
    }
    EXPECT_TRUE(onlyMesa.empty()) << onlyMesa.size() << " pixels only in Mesa's, the first at "
                                  << onlyMesa.begin()->first << "," << onlyMesa.begin()->second;
    EXPECT_TRUE(onlyLayer.empty())
        << onlyLayer.size() << " pixels only in the layer's, the first at "
        << onlyLayer.begin()->first << "," << onlyLayer.begin()->second;
  }

  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
  glPopAttrib();
}

// A surface far wider than the view: X = 1e8 u, Y = 0, Z = v under the viewer's camera. Its
// outlines and red lines reach clip coordinates near 1e10, which single precision clips with
// errors larger than w itself; every rectangle the layer hands on must still be finite, or
// WebGL draws garbage depth.
TEST(LineRectangle, LargeCoordinatesGiveFiniteRectanglesAndDepth) {
  Matrix mvp = perspectiveMatrix(kFieldOfView, kAspect, kNearPlane, kFarPlane);
  mvp = lookAt(mvp, kEye[0], kEye[1], kEye[2], kCentre[0], kCentre[1], kCentre[2], kUp[0],
               kUp[1], kUp[2]);
  const auto toClip = [&mvp](const Vector3& p, float c[4]) {
    const float q[3] = {static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(p.z)};
    for (int r = 0; r < 4; ++r) {
      c[r] = mvp.m[r] * q[0] + mvp.m[4 + r] * q[1] + mvp.m[8 + r] * q[2] + mvp.m[12 + r];
    }
  };
  int visible = 0;
  for (const double scale : {1e8, 1e12, -3e7}) {
    forEachGridCell([scale](double u, double v) { return Vector3{u * scale, 0, v}; }, Grid{},
                    [&](const GridCell& g, const Cell& c) {
      const Vector3 corners[4] = {c.p00, c.p01, c.p11, c.p10};
      for (int k = 0; k < 5; ++k) {
        const Vector3& a = k < 4 ? corners[k] : c.centre;
        const Vector3& b = k < 4 ? corners[(k + 1) % 4] : c.lineEnd;
        float start[4], end[4];
        toClip(a, start);
        toClip(b, end);
        const LineRectangle line = lineRectangle(start, end, 400, 400, 2);
        if (!line.visible) continue;
        ++visible;
        bool finite = std::isfinite(line.depth[0]) && std::isfinite(line.depth[1]) &&
                      std::isfinite(line.depth[2]);
        for (const auto& corner : line.corners) {
          finite = finite && std::isfinite(corner[0]) && std::isfinite(corner[1]);
        }
        ASSERT_TRUE(finite) << "scale " << scale << ", cell at u " << g.u << ", v " << g.v
                            << ", segment " << k;
      }
    });
  }
  EXPECT_GT(visible, 0);
}

}  // namespace
