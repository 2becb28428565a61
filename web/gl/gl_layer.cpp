// OpenGL 1.1 and GLU as the viewer calls them, on WebGL 2: the state machine and immediate
// mode, recorded in drawing order and handed to webgl.cpp in runs. Only the calls and values
// in include/GL/gl.h and glu.h exist; anything else stops the program with a message.
#include "gl_layer.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "glyphs_8x13.h"
#include "webgl_frame.h"

namespace {

struct Layer {
  DrawState state;
  int stateVersion = 0;  // grows whenever `state` changes
  int flushedVersion = -1;
  GLenum matrixMode = GL_MODELVIEW;
  float clearColour[4] = {0, 0, 0, 0};
  float colour[3] = {1, 1, 1};
  float normal[3] = {0, 0, 1};
  int width = 0, height = 0;

  // Between glBegin and glEnd.
  GLenum mode = 0;
  bool inside = false;
  std::vector<WebGlVertex> primitive;

  // Recorded since the last flush.
  std::vector<WebGlVertex> vertices;
  std::vector<Run> runs;
  std::vector<DrawState> states;

  RasterPosition raster{};
  float rasterColour[3] = {1, 1, 1};
};

Layer& layer() {
  static Layer l;
  return l;
}

[[noreturn]] void refuse(const char* call, unsigned value) {
  std::fprintf(stderr, "normals: %s(0x%04x) is not part of the browser build's OpenGL\n", call,
               value);
  std::abort();
}

void changed() { ++layer().stateVersion; }

Matrix& currentMatrix() {
  Layer& l = layer();
  return l.matrixMode == GL_MODELVIEW ? l.state.modelview : l.state.projection;
}

// Appends vertices to the frame as `primitive`, extending the last run when it shares the
// primitive and the state.
void record(Primitive primitive, const WebGlVertex* first, std::size_t count) {
  Layer& l = layer();
  if (l.flushedVersion != l.stateVersion) {
    l.states.push_back(l.state);
    l.flushedVersion = l.stateVersion;
  }
  const int state = static_cast<int>(l.states.size()) - 1;
  if (l.runs.empty() || l.runs.back().primitive != primitive || l.runs.back().state != state) {
    l.runs.push_back({primitive, state, static_cast<int>(l.vertices.size()), 0});
  }
  l.vertices.insert(l.vertices.end(), first, first + count);
  l.runs.back().count += static_cast<int>(count);
}

// The segment a-b as the rectangle of a line: two triangles whose corners the shader places
// from both ends.
void recordSegment(const WebGlVertex& a, const WebGlVertex& b) {
  WebGlVertex corners[6];
  for (int i = 0; i < 6; ++i) {
    // Corners 0, 1, 4 at the start, 2, 3, 5 at the end.
    const bool atStart = i == 0 || i == 1 || i == 4;
    const WebGlVertex& self = atStart ? a : b;
    const WebGlVertex& other = atStart ? b : a;
    corners[i] = self;
    for (int k = 0; k < 3; ++k) corners[i].other[k] = other.position[k];
    corners[i].kind = static_cast<float>(VertexKind::kLine);
    corners[i].corner = static_cast<float>(i);
  }
  record(Primitive::kTriangles, corners, 6);
}

}  // namespace

void flushGlLayer() {
  Layer& l = layer();
  if (!l.runs.empty()) drawWebGl(l.vertices, l.runs, l.states);
  l.vertices.clear();
  l.runs.clear();
  l.states.clear();
  l.flushedVersion = -1;
}

void openGlLayer(int width, int height) {
  Layer& l = layer();
  l.width = width;
  l.height = height;
}

extern "C" {

void glEnable(GLenum capability) {
  Layer& l = layer();
  switch (capability) {
    case GL_DEPTH_TEST:
      l.state.depthTest = true;
      break;
    case GL_LIGHTING:
      l.state.lighting = true;
      break;
    // The one light, always with the colour material tracking ambient and diffuse.
    case GL_LIGHT0:
    case GL_COLOR_MATERIAL:
      break;
    default:
      refuse("glEnable", capability);
  }
  changed();
}

void glClear(GLbitfield mask) {
  if ((mask & ~(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT)) != 0) refuse("glClear", mask);
  flushGlLayer();
  clearWebGl(layer().clearColour, mask & GL_COLOR_BUFFER_BIT, mask & GL_DEPTH_BUFFER_BIT);
}

void glClearColor(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha) {
  float* c = layer().clearColour;
  c[0] = red;
  c[1] = green;
  c[2] = blue;
  c[3] = alpha;
}

void glLineWidth(GLfloat width) {
  Layer& l = layer();
  l.state.lineWidth = width;
  changed();
}

void glLightfv(GLenum light, GLenum name, const GLfloat* values) {
  Layer& l = layer();
  if (light != GL_LIGHT0) refuse("glLightfv", light);
  switch (name) {
    case GL_AMBIENT:
      for (int i = 0; i < 3; ++i) l.state.light.ambient[i] = values[i];
      break;
    case GL_DIFFUSE:
      for (int i = 0; i < 3; ++i) l.state.light.diffuse[i] = values[i];
      break;
    case GL_POSITION:
      if (values[3] != 0.0f) refuse("glLightfv: a local light", name);
      setLightPosition(&l.state.light, l.state.modelview, values);
      break;
    default:
      refuse("glLightfv", name);
  }
  changed();
}

void glMatrixMode(GLenum mode) {
  if (mode != GL_MODELVIEW && mode != GL_PROJECTION) refuse("glMatrixMode", mode);
  layer().matrixMode = mode;
}

void glLoadIdentity(void) {
  currentMatrix() = identityMatrix();
  changed();
}

void gluPerspective(GLdouble fovy, GLdouble aspect, GLdouble zNear, GLdouble zFar) {
  currentMatrix() = multiply(currentMatrix(), perspectiveMatrix(fovy, aspect, zNear, zFar));
  changed();
}

void gluLookAt(GLdouble eyeX, GLdouble eyeY, GLdouble eyeZ, GLdouble centerX, GLdouble centerY,
               GLdouble centerZ, GLdouble upX, GLdouble upY, GLdouble upZ) {
  currentMatrix() =
      lookAt(currentMatrix(), eyeX, eyeY, eyeZ, centerX, centerY, centerZ, upX, upY, upZ);
  changed();
}

void glBegin(GLenum mode) {
  Layer& l = layer();
  if (mode != GL_QUADS && mode != GL_LINES && mode != GL_LINE_LOOP) refuse("glBegin", mode);
  l.mode = mode;
  l.inside = true;
  l.primitive.clear();
}

void glEnd(void) {
  Layer& l = layer();
  const std::vector<WebGlVertex>& v = l.primitive;
  const std::size_t n = v.size();
  l.inside = false;
  switch (l.mode) {
    case GL_QUADS:
      // Each quad as the library splits it: across the diagonal from its first corner.
      for (std::size_t q = 0; q + 3 < n; q += 4) {
        const WebGlVertex triangles[6] = {v[q], v[q + 1], v[q + 2], v[q], v[q + 2], v[q + 3]};
        record(Primitive::kTriangles, triangles, 6);
      }
      break;
    case GL_LINES:
      for (std::size_t i = 0; i + 1 < n; i += 2) recordSegment(v[i], v[i + 1]);
      break;
    case GL_LINE_LOOP:
      for (std::size_t i = 0; n >= 2 && i < n; ++i) recordSegment(v[i], v[(i + 1) % n]);
      break;
  }
}

void glVertex3f(GLfloat x, GLfloat y, GLfloat z) {
  Layer& l = layer();
  if (!l.inside) return;  // as the library: a vertex outside glBegin/glEnd draws nothing
  WebGlVertex v{};
  v.position[0] = x;
  v.position[1] = y;
  v.position[2] = z;
  for (int k = 0; k < 3; ++k) {
    v.normal[k] = l.normal[k];
    v.colour[k] = l.colour[k];
  }
  v.kind = static_cast<float>(VertexKind::kLit);
  l.primitive.push_back(v);
}

void glNormal3f(GLfloat x, GLfloat y, GLfloat z) {
  float* n = layer().normal;
  n[0] = x;
  n[1] = y;
  n[2] = z;
}

void glColor3f(GLfloat red, GLfloat green, GLfloat blue) {
  float* c = layer().colour;
  c[0] = red;
  c[1] = green;
  c[2] = blue;
}

void glRasterPos4dv(const GLdouble* position) {
  Layer& l = layer();
  l.raster = rasterPosition(l.state.modelview, l.state.projection, position, l.width, l.height);
  // The raster colour is lit once, here, with the current normal taken to eye space.
  if (l.state.lighting) {
    float toEye[9], eye[3];
    normalMatrix(l.state.modelview, toEye);
    for (int i = 0; i < 3; ++i) {
      eye[i] = toEye[3 * i] * l.normal[0] + toEye[3 * i + 1] * l.normal[1] +
               toEye[3 * i + 2] * l.normal[2];
    }
    litColour(l.state.light, l.colour, eye, l.rasterColour);
  } else {
    for (int k = 0; k < 3; ++k) l.rasterColour[k] = l.colour[k];
  }
}

}  // extern "C"

void drawGlyph(int character) {
  Layer& l = layer();
  if (character <= 0 || character > 255 || !l.raster.valid) return;
  const int left = static_cast<int>(std::floor(l.raster.x)) + kGlyphLeft;
  const int bottom = static_cast<int>(std::floor(l.raster.y)) + kGlyphBottom;
  WebGlVertex pixels[kGlyphWidth * kGlyphHeight];
  std::size_t n = 0;
  for (int row = 0; row < kGlyphHeight; ++row) {
    for (int column = 0; column < kGlyphWidth; ++column) {
      if ((kGlyphRows[character][row] >> (kGlyphWidth - 1 - column) & 1) == 0) continue;
      WebGlVertex& p = pixels[n++];
      p = WebGlVertex{};
      // The pixel's centre, in window coordinates, at the raster position's depth.
      p.position[0] = static_cast<float>(left + column) + 0.5f;
      p.position[1] = static_cast<float>(bottom + kGlyphHeight - 1 - row) + 0.5f;
      p.position[2] = l.raster.z;
      for (int k = 0; k < 3; ++k) p.colour[k] = l.rasterColour[k];
      p.kind = static_cast<float>(VertexKind::kWindow);
    }
  }
  record(Primitive::kPoints, pixels, n);
  l.raster.x += kGlyphAdvance;
}
