#include "cell_parts.h"

#include <GL/gl.h>

namespace {

void vertex(const Vector3& p) {
  glVertex3f(static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(p.z));
}

}  // namespace

void drawCellFace(const Cell& c) {
  glColor3f(1, 1, 1);
  glNormal3f(static_cast<float>(c.normal.x), static_cast<float>(c.normal.y),
             static_cast<float>(c.normal.z));
  glBegin(GL_QUADS);
  for (const Vector3& p : {c.p00, c.p01, c.p11, c.p10}) vertex(p);
  glEnd();
}

void drawCellNormalLine(const Cell& c) {
  glColor3f(1, 0, 0);
  glNormal3f(0, 0, 0);
  glBegin(GL_LINES);
  vertex(c.centre);
  vertex(c.lineEnd);
  glEnd();
}
