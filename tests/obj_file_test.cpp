// The cells as an OBJ file, read back by a real OBJ reader (Debian's tinyobjloader, in double
// precision): for each surface, at rest and moving, a face a cell with its four corners in the
// order the viewer draws its quad and its facet normal, and a line a cell from its centre to
// its red line's end, each bit for bit the cell arithmetic's. tinyobjloader's own number
// reading is not correctly rounded (up to 5 units in the last place off on these files), so
// the bits are checked as a correctly rounding reader (strtod) reads the file's numbers, and
// tinyobjloader's values within a few parts in 10^15.
#include "obj/obj_file.h"

#include <gtest/gtest.h>
#include <tiny_obj_loader.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "app/viewer_state.h"

namespace {

// Every number of the file's lines that begin with `kind` ("v", "vn"), read with strtod.
std::vector<double> numbers(const std::string& text, const std::string& kind) {
  std::vector<double> out;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    if (line.compare(0, kind.size() + 1, kind + " ") != 0) continue;
    std::istringstream words(line.substr(kind.size() + 1));
    for (std::string w; words >> w;) out.push_back(std::strtod(w.c_str(), nullptr));
  }
  return out;
}

// The point `index` (from 0) of `exact` equals `p` bit for bit, and tinyobjloader's is near.
void expectPoint(const std::vector<double>& exact, const std::vector<double>& read, int index,
                 const Vector3& p) {
  const double want[3] = {p.x, p.y, p.z};
  for (int k = 0; k < 3; ++k) {
    const std::size_t at = 3 * static_cast<std::size_t>(index) + static_cast<std::size_t>(k);
    ASSERT_LT(at, exact.size());
    EXPECT_EQ(std::memcmp(&exact[at], &want[k], sizeof(double)), 0) << exact[at] << " " << want[k];
    EXPECT_LE(std::abs(read[at] - want[k]), 4e-15 * std::abs(want[k]))
        << read[at] << " " << want[k];
  }
}

struct Read {
  tinyobj::attrib_t attrib;
  std::vector<tinyobj::shape_t> shapes;
};

Read readObj(const std::string& text) {
  Read r;
  std::vector<tinyobj::material_t> materials;
  std::string warning, error;
  std::istringstream in(text);
  EXPECT_TRUE(
      tinyobj::LoadObj(&r.attrib, &r.shapes, &materials, &warning, &error, &in, nullptr, false))
      << error;
  EXPECT_EQ(warning + error, "");
  return r;
}

TEST(ObjFile, EveryCellAndRedLineReadBackExactly) {
  for (unsigned surface = 0; surface < kSurfaceCount; ++surface) {
    for (const bool animate : {false, true}) {
      SCOPED_TRACE(testing::Message() << "surface " << surface << (animate ? " moving" : ""));
      viewerState.animate = animate;
      viewerState.phase = 0.3f;
      const std::string text =
          cellsAsObj([surface](double u, double un, double v,
                               double vn) { return cellAt(surface, u, un, v, vn); },
                     {"1.0.0", "X=..., Y=..., Z=...", animate, 0.3f, Grid{}});
      EXPECT_NE(text.find(animate ? "# phase: 0.300000012, the animation on" : "# phase: at rest"),
                std::string::npos);
      const Read r = readObj(text);
      ASSERT_EQ(r.shapes.size(), 2u);
      const tinyobj::mesh_t& faces = r.shapes[0].mesh;
      const tinyobj::lines_t& lines = r.shapes[1].lines;
      EXPECT_EQ(r.shapes[0].name, "cells");
      EXPECT_EQ(r.shapes[1].name, "normals");
      ASSERT_EQ(faces.num_face_vertices.size(), std::size_t(kGridSize * kGridSize));
      ASSERT_EQ(lines.num_line_vertices.size(), std::size_t(kGridSize * kGridSize));
      const std::vector<double> v = numbers(text, "v"), vn = numbers(text, "vn");
      int k = 0;
      sweepGrid([&](double u, double un, double vv, double vvn) {
        const Cell c = cellAt(surface, u, un, vv, vvn);
        ASSERT_EQ(faces.num_face_vertices[k], 4);
        const Vector3 corners[4] = {c.p00, c.p01, c.p11, c.p10};
        for (int i = 0; i < 4; ++i) {
          const tinyobj::index_t& index = faces.indices[4 * static_cast<std::size_t>(k) + i];
          expectPoint(v, r.attrib.vertices, index.vertex_index, corners[i]);
          expectPoint(vn, r.attrib.normals, index.normal_index, c.normal);
        }
        ASSERT_EQ(lines.num_line_vertices[k], 2);
        expectPoint(v, r.attrib.vertices, lines.indices[2 * k].vertex_index, c.centre);
        expectPoint(v, r.attrib.vertices, lines.indices[2 * k + 1].vertex_index, c.lineEnd);
        ++k;
      });
    }
  }
}

// Cells with any number not finite or past a float are left out, as the picture leaves them
// out, and the comments count them.
TEST(ObjFile, CellsThatAreNotFiniteAreLeftOutAndCounted) {
  viewerState.animate = false;
  const std::string text = cellsAsObj(
      [](double u, double un, double v, double vn) {
        Cell c = cellAt(2, u, un, v, vn);
        if (u < -0.55) c.p11.y = std::log(-1.0);  // the first five rows
        if (u > 0.95 && v > 0.95) c.p00.x = 1 / 0.0;
        // One cell with only its P10's Z undefined, one whose red line ends past a float.
        if (u > 0.45 && u < 0.55 && v < -0.95) c.p10.z = std::log(-1.0);
        if (u > 0.15 && u < 0.25 && v < -0.95) c.lineEnd.x = 1e39;
        return c;
      },
      {"1.0.0", "X=..., Y=..., Z=...", false, 0, Grid{}});
  EXPECT_NE(text.find("# 333 cells; 108 left out"), std::string::npos) << text.substr(0, 600);
  const Read r = readObj(text);
  EXPECT_EQ(r.shapes.at(0).mesh.num_face_vertices.size(), 333u);
  EXPECT_EQ(r.shapes.at(1).lines.num_line_vertices.size(), 333u);
  EXPECT_EQ(text.find("e+39"), std::string::npos);
  EXPECT_EQ(text.find("nan"), std::string::npos);
  EXPECT_EQ(text.find("inf"), std::string::npos);
}

}  // namespace
