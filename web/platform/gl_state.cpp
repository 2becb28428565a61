// OpenGL's state calls as the viewer makes them, on the layer's own state: capabilities, the
// clear, the line width, the light, the matrices (with GLU's perspective and camera) and the
// raster position. Only the values in include/GL/gl.h exist; anything else, or any of these
// between glBegin and glEnd, stops the program with a message naming the call.
#include <GL/gl.h>
#include <GL/glu.h>

#include "layer.h"

namespace {

Matrix& currentMatrix() {
  Layer& l = layer();
  return l.matrixMode == GL_MODELVIEW ? l.modelview : l.projection;
}

}  // namespace

extern "C" {

void glEnable(GLenum capability) {
  stateCall("glEnable");
  Layer& l = layer();
  switch (capability) {
    case GL_DEPTH_TEST:
      l.depthTest = true;
      break;
    case GL_LIGHTING:
      l.lighting = true;
      break;
    // The one light, always with the colour material tracking ambient and diffuse.
    case GL_LIGHT0:
    case GL_COLOR_MATERIAL:
      break;
    default:
      refuse("glEnable", capability);
  }
}

void glClear(GLbitfield mask) {
  stateCall("glClear");
  if ((mask & ~(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT)) != 0) refuse("glClear", mask);
  Layer& l = layer();
  Run clear{Command::kClear,
            0,
            0,
            0,
            (mask & GL_COLOR_BUFFER_BIT) != 0,
            (mask & GL_DEPTH_BUFFER_BIT) != 0,
            {0, 0, 0, 0}};
  for (int k = 0; k < 4; ++k) clear.colour[k] = l.clearColour[k];
  l.frame.runs.push_back(clear);
}

void glClearColor(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha) {
  stateCall("glClearColor");
  float* c = layer().clearColour;
  c[0] = red;
  c[1] = green;
  c[2] = blue;
  c[3] = alpha;
}

void glLineWidth(GLfloat width) {
  stateCall("glLineWidth");
  if (!(width > 0.0f)) refuse("glLineWidth: a width that is not positive");
  layer().lineWidth = width;
}

void glLightfv(GLenum light, GLenum name, const GLfloat* values) {
  stateCall("glLightfv");
  Layer& l = layer();
  if (light != GL_LIGHT0) refuse("glLightfv", light);
  switch (name) {
    case GL_AMBIENT:
      for (int i = 0; i < 3; ++i) l.light.ambient[i] = values[i];
      break;
    case GL_DIFFUSE:
      for (int i = 0; i < 3; ++i) l.light.diffuse[i] = values[i];
      break;
    case GL_POSITION:
      if (values[3] != 0.0f) refuse("glLightfv: a local light", name);
      setLightPosition(&l.light, l.modelview, values);
      break;
    default:
      refuse("glLightfv", name);
  }
}

void glMatrixMode(GLenum mode) {
  stateCall("glMatrixMode");
  if (mode != GL_MODELVIEW && mode != GL_PROJECTION) refuse("glMatrixMode", mode);
  layer().matrixMode = mode;
}

void glLoadIdentity(void) {
  stateCall("glLoadIdentity");
  currentMatrix() = identityMatrix();
}

void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar) {
  stateCall("gluPerspective");
  currentMatrix() = multiply(currentMatrix(), perspectiveMatrix(fovy, aspect, zNear, zFar));
}

void gluLookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centerX, GLdouble centerY,
               GLdouble centerZ, GLdouble upX, GLdouble upY, GLdouble upZ) {
  stateCall("gluLookAt");
  currentMatrix() =
      lookAt(currentMatrix(), eyeX, eyeY, eyeZ, centerX, centerY, centerZ, upX, upY, upZ);
}

void glRasterPos4dv(const GLdouble* position) {
  stateCall("glRasterPos4dv");
  Layer& l = layer();
  l.raster = rasterPosition(l.modelview, l.projection, position, l.width, l.height);
  // The raster colour is lit once, here, with the current normal.
  lightVertex(l.colour, l.normal, l.rasterColour);
}

}  // extern "C"
