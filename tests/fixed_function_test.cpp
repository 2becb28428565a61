// The browser build's fixed-function arithmetic against the real thing: the matrices, the
// raster position and the lighting that Mesa and GLU produce for the viewer's own state.
#include "pipeline/fixed_function.h"

#include <GL/glut.h>
#include <gtest/gtest.h>

#include "app/startup.h"
#include "capture.h"
#include "gl_harness.h"
#include "pixels.h"
#include "render/frame.h"

namespace {

Matrix glMatrix(GLenum which) {
  Matrix m;
  glGetFloatv(which, m.m);
  return m;
}

// The viewer's own camera, projection and light, as the layer takes them.
Matrix viewerCamera() {
  return lookAt(identityMatrix(), kEye[0], kEye[1], kEye[2], kCentre[0], kCentre[1], kCentre[2],
                kUp[0], kUp[1], kUp[2]);
}
Matrix viewerProjection() {
  return perspectiveMatrix(kFieldOfView, kAspect, kNearPlane, kFarPlane);
}
Lighting viewerLight() {
  Lighting light;
  for (int i = 0; i < 3; ++i) {
    light.ambient[i] = kLightAmbient[i];
    light.diffuse[i] = kLightDiffuse[i];
  }
  setLightPosition(&light, identityMatrix(), kLightPosition);
  return light;
}

TEST(FixedFunction, MatricesAreMesasToTheBit) {
  openViewer();
  loadCamera();
  const Matrix projection = viewerProjection();
  const Matrix camera = viewerCamera();
  const Matrix realProjection = glMatrix(GL_PROJECTION_MATRIX);
  const Matrix realCamera = glMatrix(GL_MODELVIEW_MATRIX);
  for (int i = 0; i < 16; ++i) {
    EXPECT_EQ(projection.m[i], realProjection.m[i]) << "projection " << i;
    EXPECT_EQ(camera.m[i], realCamera.m[i]) << "camera " << i;
  }
}

TEST(FixedFunction, RasterPositionAndColourAreMesas) {
  openViewer();
  loadCamera();
  glColor3f(1, 1, 1);
  glNormal3f(0, 0, 0);
  const GLdouble caption[4] = {-12.0, 3.0, 0.0, 1.0};
  glRasterPos4dv(caption);
  GLfloat real[4], realColour[4];
  glGetFloatv(GL_CURRENT_RASTER_POSITION, real);
  glGetFloatv(GL_CURRENT_RASTER_COLOR, realColour);

  const RasterPosition mine = rasterPosition(viewerCamera(), viewerProjection(), caption, 400, 400);
  ASSERT_TRUE(mine.valid);
  EXPECT_EQ(mine.x, real[0]);
  EXPECT_EQ(mine.y, real[1]);
  EXPECT_EQ(mine.z, real[2]);

  const Lighting light = viewerLight();
  const float white[3] = {1, 1, 1}, zero[3] = {0, 0, 0};
  float colour[3];
  litColour(light, white, zero, colour);
  for (int i = 0; i < 3; ++i) EXPECT_FLOAT_EQ(colour[i], realColour[i]);
}

// A quad through the origin, lit with each normal: the colour Mesa draws is the colour the
// lighting equation gives for the normal taken to eye space, clamped where a brighter light
// than the viewer's takes it above 1.
TEST(FixedFunction, LightingMatchesMesasPixels) {
  openViewer();
  float toEye[9];
  normalMatrix(viewerCamera(), toEye);
  const struct {
    float normal[3];
    float diffuse;  // the light's, in every channel
  } cases[] = {
      {{0, -1, 0}, kLightDiffuse[0]},
      {{0, 1, 0}, kLightDiffuse[0]},
      {{-0.577f, -0.577f, -0.577f}, kLightDiffuse[0]},
      {{1, 0, 0}, kLightDiffuse[0]},
      {{0.3f, -0.8f, 0.1f}, kLightDiffuse[0]},
      {{0, 0, 0}, kLightDiffuse[0]},
      {{2, -1, 0.5f}, kLightDiffuse[0]},
      {{-0.577f, -0.577f, -0.577f}, 1.0f},  // 0.2 + 0.3 + 1.0 * n.l: above 1, clamped
      {{0.3f, -0.8f, 0.1f}, 0.9f},
  };
  for (const auto& c : cases) {
    const float* n = c.normal;
    SCOPED_TRACE(testing::Message()
                 << n[0] << ", " << n[1] << ", " << n[2] << ", diffuse " << c.diffuse);
    Lighting light = viewerLight();
    const float diffuse[4] = {c.diffuse, c.diffuse, c.diffuse, 1};
    for (int i = 0; i < 3; ++i) light.diffuse[i] = diffuse[i];
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    loadCamera();
    glColor3f(1, 1, 1);
    glNormal3f(n[0], n[1], n[2]);
    glBegin(GL_QUADS);
    glVertex3f(1, -1, 0);
    glVertex3f(1, 1, -2);
    glVertex3f(-1, 1, 0);
    glVertex3f(-1, -1, 2);
    glEnd();
    glLightfv(GL_LIGHT0, GL_DIFFUSE, kLightDiffuse);
    const Rgb seen = readBackBuffer().at(195, 195);

    float eye[3], colour[3];
    for (int i = 0; i < 3; ++i)
      eye[i] = toEye[3 * i] * n[0] + toEye[3 * i + 1] * n[1] + toEye[3 * i + 2] * n[2];
    const float white[3] = {1, 1, 1};
    litColour(light, white, eye, colour);
    const Rgb expected = toRgb(colour[0], colour[1], colour[2]);
    EXPECT_TRUE(near(seen, expected, 0)) << PixelReport{195, 195, seen, expected};
  }
}

}  // namespace
