#include "render/mesh.h"

#include <GL/gl.h>

#include <initializer_list>

#include "app/viewer_state.h"

namespace {

void vertex(const Vector3& p) {
  glVertex3f(static_cast<GLfloat>(p.x), static_cast<GLfloat>(p.y), static_cast<GLfloat>(p.z));
}

void liftedVertex(const Vector3& p, double lift = kOutlineLift) {
  glVertex3f(static_cast<GLfloat>(p.x), static_cast<GLfloat>(p.y + lift),
             static_cast<GLfloat>(p.z));
}

}  // namespace

void drawCell(const Cell& cell) {
  const Vector3& n = cell.normal;
  glColor3f(1, 1, 1);
  glNormal3f(static_cast<GLfloat>(n.x), static_cast<GLfloat>(n.y), static_cast<GLfloat>(n.z));
  glBegin(GL_QUADS);
  vertex(cell.p00);
  vertex(cell.p01);
  vertex(cell.p11);
  vertex(cell.p10);
  glEnd();

  // The zero normal leaves the outline, and the normal line after it, with ambient light only.
  glColor3f(0, 0, 0);
  glNormal3f(0, 0, 0);
  glBegin(GL_LINE_LOOP);
  liftedVertex(cell.p00);
  liftedVertex(cell.p01);
  liftedVertex(cell.p11);
  liftedVertex(cell.p10);
  glEnd();

  // No normal of its own: the outline's zero normal is still current.
  glColor3f(1, 0, 0);
  glBegin(GL_LINES);
  vertex(cell.centre);
  vertex(cell.lineEnd);
  glEnd();
}

void drawMesh() {
  const unsigned surface = viewerState.surfaceIndex;
  sweepGrid([surface](double u, double uNext, double v, double vNext) {
    drawCell(cellAt(surface, u, uNext, v, vNext));
  });
}

int drawMesh(const PointFunction& point) {
  int leftOut = 0;
  forEachCell(point, [&leftOut](const Cell& cell) {
    // No value that is not finite reaches OpenGL.
    if (hasFiniteCorners(cell)) {
      drawCell(cell);
    } else {
      ++leftOut;
    }
  });
  return leftOut;
}

void drawMarker(const Cell& cell) {
  glColor3f(1, 1, 0);
  glNormal3f(0, 0, 0);
  glBegin(GL_LINE_LOOP);
  for (const Vector3& p : {cell.p00, cell.p01, cell.p11, cell.p10}) liftedVertex(p, kMarkerLift);
  glEnd();
}
