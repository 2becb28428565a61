#include "render/mesh.h"

#include <GL/gl.h>

#include <cmath>

#include "app/viewer_state.h"
#include "geometry/derivative.h"

namespace {

void vertex(const Vector3& p) {
  glVertex3f(static_cast<GLfloat>(p.x), static_cast<GLfloat>(p.y), static_cast<GLfloat>(p.z));
}

void liftedVertex(const Vector3& p) {
  glVertex3f(static_cast<GLfloat>(p.x), static_cast<GLfloat>(p.y + kOutlineLift),
             static_cast<GLfloat>(p.z));
}

}  // namespace

void drawCell(const Cell& cell) {
  drawCellFaceAndOutline(cell);
  drawFacetLine(cell);
}

void drawCellFaceAndOutline(const Cell& cell) {
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
}

void drawFacetLine(const Cell& cell) {
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

int drawMesh(const PointFunction& point, const Grid& grid, NormalLines lines) {
  // Only a cell whose every number is finite and within single precision reaches OpenGL.
  int leftOut = 0;
  forEachGridCell(point, grid, [&](const GridCell& g, const Cell& cell) {
    if (!isDrawable(cell)) {
      ++leftOut;
      return;
    }
    drawCellFaceAndOutline(cell);
    if (lines != NormalLines::kSurface) drawFacetLine(cell);
    if (lines == NormalLines::kFacet) return;
    const SurfaceNormal own = surfaceNormalAtMiddle(point, g);
    const Vector3 end{own.point.x - own.normal.x * kNormalLineScale,
                      own.point.y - own.normal.y * kNormalLineScale,
                      own.point.z - own.normal.z * kNormalLineScale};
    if (!own.defined || !isDrawable(own.point) || !isDrawable(end)) return;
    glColor3f(0, 1, 1);
    glBegin(GL_LINES);
    vertex(own.point);
    vertex(end);
    glEnd();
  });
  return leftOut;
}
