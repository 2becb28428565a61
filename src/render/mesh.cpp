#include "render/mesh.h"

#include <GL/gl.h>

#include <cmath>
#include <vector>

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

namespace {

// The surface's own normal line of a cell: half a unit against N from its middle.
void drawOwnLine(const PointFunction& point, const GridCell& g) {
  const SurfaceNormal own = surfaceNormalAtMiddle(point, g);
  const Vector3 end = normalLineEnd(own.point, own.normal);
  if (!own.defined || !isDrawable(own.point) || !isDrawable(end)) return;
  glColor3f(kOwnNormalColour[0], kOwnNormalColour[1], kOwnNormalColour[2]);
  glBegin(GL_LINES);
  vertex(own.point);
  vertex(end);
  glEnd();
}

// The normal each grid point is lit by, worked out once a frame; the zero vector where it has
// none, for its cells' own facet normals to stand in.
std::vector<Vector3> cornerNormals(const PointFunction& point, const Grid& grid,
                                   const std::vector<Vector3>& points, Shading shading) {
  std::vector<Vector3> normals(points.size());
  if (shading == Shading::kSmooth) {
    const std::vector<Facet> n = vertexNormals(points, grid);
    for (std::size_t k = 0; k < n.size(); ++k) {
      if (!n[k].degenerate) normals[k] = n[k].normal;
    }
    return normals;
  }
  std::size_t k = 0;
  for (int i = 0; i <= grid.cellsU; ++i) {
    for (int j = 0; j <= grid.cellsV; ++j, ++k) {
      const SurfaceNormal own = surfaceNormalAt(point, grid.u(i), grid.v(j));
      if (own.defined) normals[k] = own.normal;
    }
  }
  return normals;
}

void normal(const Vector3& n, const Vector3& fallback) {
  const Vector3& m = n.length() > 0 ? n : fallback;
  glNormal3f(static_cast<GLfloat>(m.x), static_cast<GLfloat>(m.y), static_cast<GLfloat>(m.z));
}

// A cell lit at each corner by its own normal, then its outline as ever.
void drawShadedCell(const Cell& cell, const Vector3* corner[4]) {
  const Vector3* p[4] = {&cell.p00, &cell.p01, &cell.p11, &cell.p10};
  glColor3f(1, 1, 1);
  glBegin(GL_QUADS);
  for (int k = 0; k < 4; ++k) {
    normal(*corner[k], cell.normal);
    vertex(*p[k]);
  }
  glEnd();
  glColor3f(0, 0, 0);
  glNormal3f(0, 0, 0);
  glBegin(GL_LINE_LOOP);
  for (const Vector3* q : p) liftedVertex(*q);
  glEnd();
}

// The cells lit at their corners: the grid's points and their normals worked out once.
int drawShadedMesh(const PointFunction& point, const Grid& grid, const MeshLook& look) {
  const std::vector<Vector3> p = gridPoints(point, grid);
  const std::vector<Vector3> n = cornerNormals(point, grid, p, look.shading);
  const int row = grid.cellsV + 1;
  int leftOut = 0;
  for (int i = 0; i < grid.cellsU; ++i) {
    for (int j = 0; j < grid.cellsV; ++j) {
      const int k = i * row + j;
      const Cell cell = withFacetNormal(
          cellFromCorners(p[k], p[k + 1], p[k + row + 1], p[k + row]), look.facet);
      if (!isDrawable(cell)) {
        ++leftOut;
        continue;
      }
      // In the quad's order: P00, P01, P11, P10.
      const Vector3* corner[4] = {&n[k], &n[k + 1], &n[k + row + 1], &n[k + row]};
      drawShadedCell(cell, corner);
      if (look.lines != NormalLines::kSurface) drawFacetLine(cell);
      if (look.lines != NormalLines::kFacet) drawOwnLine(point, grid.cell(i, j));
    }
  }
  return leftOut;
}

}  // namespace

int drawMesh(const PointFunction& point, const Grid& grid, const MeshLook& look) {
  if (look.shading != Shading::kFlat) return drawShadedMesh(point, grid, look);
  // Only a cell whose every number is finite and within single precision reaches OpenGL.
  int leftOut = 0;
  forEachGridCell(point, grid, [&](const GridCell& g, const Cell& corners) {
    const Cell cell = withFacetNormal(corners, look.facet);
    if (!isDrawable(cell)) {
      ++leftOut;
      return;
    }
    drawCellFaceAndOutline(cell);
    if (look.lines != NormalLines::kSurface) drawFacetLine(cell);
    if (look.lines != NormalLines::kFacet) drawOwnLine(point, g);
  });
  return leftOut;
}
