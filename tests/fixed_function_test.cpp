// The browser build's fixed-function arithmetic against the real thing: the matrices, the
// raster position and the lighting that Mesa and GLU produce for the viewer's own state.
#include "fixed_function.h"

#include <GL/glut.h>
#include <gtest/gtest.h>

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

Matrix viewerCamera() { return lookAt(identityMatrix(), 10, 10, 10, 0, 0, 0, 0, 1, 0); }

TEST(FixedFunction, MatricesAreMesasToTheBit) {
  openViewer();
  loadCamera();
  const Matrix projection = perspectiveMatrix(45.0, 1.0, 0.01, 1000.0);
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

  const RasterPosition mine =
      rasterPosition(viewerCamera(), perspectiveMatrix(45.0, 1.0, 0.01, 1000.0), caption, 400, 400);
  ASSERT_TRUE(mine.valid);
  EXPECT_EQ(mine.x, real[0]);
  EXPECT_EQ(mine.y, real[1]);
  EXPECT_EQ(mine.z, real[2]);

  Lighting light;
  const float ambient[3] = {0.3f, 0.3f, 0.3f}, diffuse[3] = {0.5f, 0.5f, 0.5f};
  const float position[4] = {0, 0, -10, 0};
  for (int i = 0; i < 3; ++i) {
    light.ambient[i] = ambient[i];
    light.diffuse[i] = diffuse[i];
  }
  setLightPosition(&light, identityMatrix(), position);
  const float white[3] = {1, 1, 1}, zero[3] = {0, 0, 0};
  float colour[3];
  litColour(light, white, zero, colour);
  for (int i = 0; i < 3; ++i) EXPECT_FLOAT_EQ(colour[i], realColour[i]);
}

// A quad through the origin, lit with each normal: the colour Mesa draws is the colour the
// lighting equation gives for the normal taken to eye space.
TEST(FixedFunction, LightingMatchesMesasPixels) {
  openViewer();
  Lighting light;
  const float position[4] = {0, 0, -10, 0};
  for (int i = 0; i < 3; ++i) {
    light.ambient[i] = 0.3f;
    light.diffuse[i] = 0.5f;
  }
  setLightPosition(&light, identityMatrix(), position);
  float toEye[9];
  normalMatrix(viewerCamera(), toEye);

  const float normals[][3] = {{0, -1, 0},   {0, 1, 0},           {-0.577f, -0.577f, -0.577f},
                              {1, 0, 0},    {0.3f, -0.8f, 0.1f}, {0, 0, 0},
                              {2, -1, 0.5f}};
  for (const auto& n : normals) {
    SCOPED_TRACE(testing::Message() << n[0] << ", " << n[1] << ", " << n[2]);
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
