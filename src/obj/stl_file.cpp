#include "obj/stl_file.h"

#include <cstdint>
#include <cstring>

#include "geometry/facet_normals.h"

namespace {

void put32(std::string* out, std::uint32_t x) {
  for (int shift = 0; shift < 32; shift += 8) out->push_back(static_cast<char>((x >> shift) & 0xff));
}

void putFloat(std::string* out, double x) {
  const float f = static_cast<float>(x);
  std::uint32_t bits;
  std::memcpy(&bits, &f, sizeof bits);
  put32(out, bits);
}

void putVector(std::string* out, const Vector3& v) {
  putFloat(out, v.x);
  putFloat(out, v.y);
  putFloat(out, v.z);
}

void putTriangle(std::string* out, const Vector3& n, const Vector3& a, const Vector3& b,
                 const Vector3& c) {
  putVector(out, n);
  putVector(out, a);
  putVector(out, b);
  putVector(out, c);
  out->append(2, '\0');  // no attributes
}

}  // namespace

std::string cellsAsStl(const CellMaker& cells, const ObjNotes& notes, StlCounts* counts) {
  StlCounts n;
  std::string body;
  const Grid& grid = notes.grid;
  for (int row = 0; row < grid.cellsU; ++row) {
    for (int column = 0; column < grid.cellsV; ++column) {
      const GridCell g = grid.cell(row, column);
      const Cell c = cells(g.u, g.uNext, g.v, g.vNext);
      if (!isDrawable(c)) {
        ++n.undefined;
        continue;
      }
      if (cornerNormal(c).degenerate) {
        ++n.degenerate;
        continue;
      }
      putTriangle(&body, c.normal, c.p00, c.p11, c.p01);
      ++n.triangles;
      // The same arithmetic as the facet normal's, on the other half's own edges.
      const Vector3 a = c.p10 - c.p00, b = c.p11 - c.p00;
      const Vector3 across = a.normalized().cross(b.normalized());
      if (a.length() < kMinDivisor || b.length() < kMinDivisor || across.length() < kMinDivisor) {
        continue;
      }
      putTriangle(&body, across.normalized(), c.p00, c.p10, c.p11);
      ++n.triangles;
    }
  }
  std::string header = "binary STL of normals " + notes.version + ": " + notes.formula;
  header.resize(80, ' ');
  std::string file = header;
  put32(&file, static_cast<std::uint32_t>(n.triangles));
  if (counts != nullptr) *counts = n;
  return file + body;
}
