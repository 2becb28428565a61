// Immediate mode recorded, then drawn (glBegin, glVertex3f, glNormal3f, glColor3f, glEnd):
// vertices lit as they come, quads split as the library splits them, lines turned into the
// rectangles Mesa's rasteriser fills, all appended in drawing order to runs that last while the
// state does. Misuse stops the program at the call.
#include <GL/gl.h>

#include "layer.h"
#include "line_rectangle.h"

namespace {

using Corner = Layer::Corner;

void appendTriangles(std::initializer_list<std::uint32_t> corners, std::uint32_t base) {
  RecordedFrame& f = layer().frame;
  for (std::uint32_t c : corners) f.indices.push_back(base + c);
  record(Command::kTriangles, static_cast<int>(corners.size()));
}

// Each quad as the library splits it: across the diagonal from its first corner.
void recordQuad(const Corner* q) {
  RecordedFrame& f = layer().frame;
  const auto base = static_cast<std::uint32_t>(f.vertices.size());
  for (int i = 0; i < 4; ++i)
    f.vertices.push_back(objectVertex(q[i].position, q[i].colour));
  appendTriangles({0, 1, 2, 0, 2, 3}, base);
}

void toClip(const Matrix& m, const float p[3], float clip[4]) {
  for (int r = 0; r < 4; ++r) {
    clip[r] = m.m[r] * p[0] + m.m[4 + r] * p[1] + m.m[8 + r] * p[2] + m.m[12 + r];
  }
}

void recordSegment(const Corner& a, const Corner& b) {
  Layer& l = layer();
  const Matrix mvp = multiply(l.projection, l.modelview);
  float start[4], end[4];
  toClip(mvp, a.position, start);
  toClip(mvp, b.position, end);
  const LineRectangle line = lineRectangle(start, end, static_cast<float>(l.width),
                                           static_cast<float>(l.height), l.lineWidth * l.scale);
  if (!line.visible) return;
  RecordedFrame& f = l.frame;
  const std::size_t plane = f.depthPlanes.size();
  f.depthPlanes.push_back({{line.depth[0], line.depth[1], line.depth[2], 0.0f}});
  const auto base = static_cast<std::uint32_t>(f.vertices.size());
  for (int i = 0; i < 4; ++i) {
    f.vertices.push_back(
        windowVertex(line.corners[i][0], line.corners[i][1], plane, i < 2 ? a.colour : b.colour));
  }
  appendTriangles({0, 1, 2, 3, 1, 2}, base);
}

}  // namespace

extern "C" {

void glBegin(GLenum mode) {
  Layer& l = layer();
  if (l.inside) refuse("glBegin between glBegin and glEnd");
  if (mode != GL_QUADS && mode != GL_LINES && mode != GL_LINE_LOOP) refuse("glBegin", mode);
  l.mode = mode;
  l.inside = true;
  l.primitive.clear();
}

void glEnd(void) {
  Layer& l = layer();
  if (!l.inside) refuse("glEnd without glBegin");
  l.inside = false;
  const std::vector<Corner>& v = l.primitive;
  const std::size_t n = v.size();
  switch (l.mode) {
    case GL_QUADS:
      for (std::size_t q = 0; q + 3 < n; q += 4) recordQuad(&v[q]);
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
  Corner c{{x, y, z}, {}};
  lightVertex(l.colour, l.normal, c.colour);
  l.primitive.push_back(c);
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

}  // extern "C"
