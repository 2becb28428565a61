#include <GL/glut.h>
#include <gtest/gtest.h>

#include <cmath>

#include "gl_harness.h"

namespace {

void expectFloats(GLenum what, const float* got, const float* want, int n) {
  for (int i = 0; i < n; ++i)
    EXPECT_FLOAT_EQ(got[i], want[i]) << "parameter " << what << "[" << i << "]";
}

TEST(Startup, FixedRenderingState) {
  openViewer();
  for (GLenum cap : {GL_DEPTH_TEST, GL_LIGHTING, GL_LIGHT0, GL_COLOR_MATERIAL}) {
    EXPECT_TRUE(glIsEnabled(cap)) << "capability " << cap;
  }
  for (GLenum cap : {GL_CULL_FACE, GL_NORMALIZE, GL_LIGHT1}) {
    EXPECT_FALSE(glIsEnabled(cap)) << "capability " << cap;
  }
  EXPECT_EQ(glutGet(GLUT_WINDOW_WIDTH), 400);
  EXPECT_EQ(glutGet(GLUT_WINDOW_HEIGHT), 400);
  EXPECT_EQ(glutGet(GLUT_WINDOW_DOUBLEBUFFER), 1);
  EXPECT_GT(glutGet(GLUT_WINDOW_DEPTH_SIZE), 0);

  float v[4];
  glGetFloatv(GL_LINE_WIDTH, v);
  EXPECT_EQ(v[0], 2.0f);
  const float clear[] = {0.2f, 0.2f, 0.7f, 1.0f};
  glGetFloatv(GL_COLOR_CLEAR_VALUE, v);
  expectFloats(GL_COLOR_CLEAR_VALUE, v, clear, 4);

  const float ambient[] = {0.3f, 0.3f, 0.3f, 1.0f};
  const float diffuse[] = {0.5f, 0.5f, 0.5f, 1.0f};
  // Stored in eye coordinates: unchanged only if it was set under the identity modelview.
  const float position[] = {0.0f, 0.0f, -10.0f, 0.0f};
  const float noSpecular[] = {0.0f, 0.0f, 0.0f, 1.0f};
  glGetLightfv(GL_LIGHT0, GL_AMBIENT, v);
  expectFloats(GL_AMBIENT, v, ambient, 4);
  glGetLightfv(GL_LIGHT0, GL_DIFFUSE, v);
  expectFloats(GL_DIFFUSE, v, diffuse, 4);
  glGetLightfv(GL_LIGHT0, GL_POSITION, v);
  expectFloats(GL_POSITION, v, position, 4);
  glGetMaterialfv(GL_FRONT, GL_SPECULAR, v);
  expectFloats(GL_SPECULAR, v, noSpecular, 4);

  GLint mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_MODELVIEW);
}

// gluPerspective(45, 1, 0.01, 1000), written out so that a wrong field of view, aspect or
// plane shows.
TEST(Startup, PerspectiveProjection) {
  openViewer();
  const double f = 1.0 / std::tan(22.5 * 3.14159265358979323846 / 180.0);
  const double n = 0.01, far = 1000.0;
  double want[16] = {};
  want[0] = f;
  want[5] = f;
  want[10] = (far + n) / (n - far);
  want[11] = -1.0;
  want[14] = 2.0 * far * n / (n - far);
  double got[16];
  glGetDoublev(GL_PROJECTION_MATRIX, got);
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(got[i], want[i], 1e-6) << "element " << i;
}

}  // namespace
