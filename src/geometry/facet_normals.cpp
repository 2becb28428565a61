#include "geometry/facet_normals.h"

#include <cfloat>
#include <cmath>

namespace {

// normalise(normalise(a) x normalise(b)) as the viewer's arithmetic takes it, noting whether
// the guard divided instead for any of the three lengths.
Facet guardedNormal(const Vector3& a, const Vector3& b) {
  const Vector3 across = a.normalized().cross(b.normalized());
  Facet f;
  f.normal = across.normalized();
  for (double length : {a.length(), b.length(), across.length()}) {
    f.degenerate = f.degenerate || !(length >= kMinDivisor);
  }
  return f;
}

// Twice the vector area of the cell: the same whichever way it is cut into triangles.
Vector3 doubleArea(const Vector3& p00, const Vector3& p01, const Vector3& p11,
                   const Vector3& p10) {
  return (p11 - p00).cross(p01 - p10);
}

bool finite(const Vector3& a) {
  return std::isfinite(a.x) && std::isfinite(a.y) && std::isfinite(a.z);
}

}  // namespace

Facet cornerNormal(const Cell& c) { return guardedNormal(c.p11 - c.p00, c.p01 - c.p00); }

Facet diagonalNormal(const Cell& c) {
  // No guard: the diagonals of a long thin cell are nearly opposite, and the sine between them,
  // small but exact to rounding, is still a direction. Only diagonals of no length, or a cross
  // product within its rounding of zero, leave none.
  const Vector3 d1 = c.p11 - c.p00, d2 = c.p01 - c.p10;
  const Vector3 across = d1.cross(d2);
  const double length = across.length();
  Facet f;
  f.degenerate = !(length > 4 * DBL_EPSILON * d1.length() * d2.length());
  if (!f.degenerate) f.normal = {across.x / length, across.y / length, across.z / length};
  return f;
}

Cell withFacetNormal(const Cell& cell, FacetNormal kind) {
  if (kind == FacetNormal::kCorner) return cell;
  Cell c = cell;
  c.normal = diagonalNormal(cell).normal;
  c.lineEnd = normalLineEnd(c.centre, c.normal);
  return c;
}

std::vector<Vector3> gridPoints(const PointFunction& point, const Grid& grid) {
  std::vector<double> vs(grid.cellsV + 1);
  for (int j = 0; j <= grid.cellsV; ++j) vs[j] = grid.v(j);
  std::vector<Vector3> p;
  p.reserve(static_cast<std::size_t>(grid.cellsU + 1) * (grid.cellsV + 1));
  for (int i = 0; i <= grid.cellsU; ++i) {
    const double u = grid.u(i);
    for (double v : vs) p.push_back(point(u, v));
  }
  return p;
}

namespace {

// The vertex normals of a block of (nu + 1) x (nv + 1) points, rows of u.
std::vector<Facet> blockNormals(const std::vector<Vector3>& p, int nu, int nv) {
  const int row = nv + 1;
  std::vector<Vector3> sum(p.size());
  std::vector<double> total(p.size(), 0.0);
  for (int i = 0; i < nu; ++i) {
    for (int j = 0; j < nv; ++j) {
      const int k = i * row + j;
      const Vector3 a = doubleArea(p[k], p[k + 1], p[k + row + 1], p[k + row]);
      if (!finite(a)) continue;
      for (int corner : {k, k + 1, k + row + 1, k + row}) {
        sum[corner] = sum[corner] + a;
        total[corner] += a.length();
      }
    }
  }
  std::vector<Facet> normals(p.size());
  for (std::size_t k = 0; k < p.size(); ++k) {
    const double length = sum[k].length();
    // Cells that cancel (a fold, a pole's fan) leave a sum that is rounding, not a direction.
    normals[k].degenerate = !(length > 1e-12 * total[k]);
    if (!normals[k].degenerate) {
      normals[k].normal = {sum[k].x / length, sum[k].y / length, sum[k].z / length};
    }
  }
  return normals;
}

}  // namespace

std::vector<Facet> vertexNormals(const std::vector<Vector3>& points, const Grid& grid) {
  return blockNormals(points, grid.cellsU, grid.cellsV);
}

void vertexNormalsOfCell(const PointFunction& point, const Grid& grid, int row, int column,
                         Facet out[4]) {
  // The points of the cells around the cell's corners: a row and a column on each side.
  const int i0 = row > 0 ? row - 1 : 0, i1 = row + 2 <= grid.cellsU ? row + 2 : grid.cellsU;
  const int j0 = column > 0 ? column - 1 : 0,
            j1 = column + 2 <= grid.cellsV ? column + 2 : grid.cellsV;
  std::vector<Vector3> p;
  for (int i = i0; i <= i1; ++i) {
    for (int j = j0; j <= j1; ++j) p.push_back(point(grid.u(i), grid.v(j)));
  }
  const std::vector<Facet> n = blockNormals(p, i1 - i0, j1 - j0);
  const auto at = [&](int i, int j) { return n[(i - i0) * (j1 - j0 + 1) + (j - j0)]; };
  out[0] = at(row, column);
  out[1] = at(row + 1, column);
  out[2] = at(row, column + 1);
  out[3] = at(row + 1, column + 1);
}
