// The cells as STL, read back byte by byte: every triangle's normal is its winding's, the first
// of each cell is the viewer's facet normal, degenerate cells are left out and counted; and a
// second program, admesh, finds no normal to fix and no facet to turn.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "tool_run.h"

namespace {

struct V {
  double x, y, z;
};

float readFloat(const std::string& bytes, std::size_t at) {
  std::uint32_t bits = 0;
  for (int k = 3; k >= 0; --k) bits = (bits << 8) | static_cast<unsigned char>(bytes[at + k]);
  float f;
  std::memcpy(&f, &bits, sizeof f);
  return f;
}

V readVector(const std::string& bytes, std::size_t at) {
  return {readFloat(bytes, at), readFloat(bytes, at + 4), readFloat(bytes, at + 8)};
}

V cross(const V& a, const V& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
V minus(const V& a, const V& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
double length(const V& a) { return std::sqrt(a.x * a.x + a.y * a.y + a.z * a.z); }

// What admesh says of `path` after checking its normals' values and directions alone.
std::string admesh(const std::string& path) {
  const ToolRun run = runTool("admesh", "-v -d " + quoted(path), "/tmp");
  EXPECT_EQ(run.status, 0) << run.output;
  return run.output;
}

// The number admesh gives after `what` and its colon, or -1.
int admeshCount(const std::string& said, const std::string& what) {
  const std::size_t at = said.find(what);
  if (at == std::string::npos) return -1;
  const std::size_t colon = said.find(':', at), digit = said.find_first_of("0123456789", colon);
  return colon == std::string::npos || digit == std::string::npos ? -1
                                                                  : std::stoi(said.substr(digit));
}

TEST(SnapshotTool, StlFilesCarryEachTrianglesOwnNormal) {
  const std::string folder = newFolder();
  // A unit sphere pole to pole: at v = pi/2 each cell's P01 and P11 meet.
  const ToolRun run = runTool(NORMALS_SNAPSHOT,
                              "--stl --x 'cos(u)*cos(v)' --y 'sin(v)' --z 'sin(u)*cos(v)' "
                              "--u 0,6.283185307179586 --v -1.5707963267948966,1.5707963267948966 "
                              "--cells 8,10 --out sphere.stl",
                              folder);
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_NE(run.output.find("8 of 80 cells are degenerate (two of their corners meet)"),
            std::string::npos)
      << run.output;
  std::ifstream in(folder + "/sphere.stl", std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(in), {}};
  ASSERT_GE(bytes.size(), 84u);
  EXPECT_NE(bytes.compare(0, 5, "solid"), 0) << "a binary file taken for text";
  std::uint32_t count = 0;
  for (int k = 3; k >= 0; --k) count = (count << 8) | static_cast<unsigned char>(bytes[80 + k]);
  // 72 cells written; at v = -pi/2 each cell's P00 and P10 meet, and only its first triangle is.
  EXPECT_EQ(count, 72u * 2 - 8);
  ASSERT_EQ(bytes.size(), 84 + 50u * count);
  for (std::uint32_t t = 0; t < count; ++t) {
    const std::size_t at = 84 + 50 * t;
    const V n = readVector(bytes, at), a = readVector(bytes, at + 12),
            b = readVector(bytes, at + 24), c = readVector(bytes, at + 36);
    const V w = cross(minus(b, a), minus(c, a));
    SCOPED_TRACE(testing::Message() << "triangle " << t);
    EXPECT_NEAR(length(n), 1, 1e-6);
    // The winding's normal, to single precision: the sine of the angle between them.
    EXPECT_LT(length(cross(n, w)) / length(w), 1e-5);
    EXPECT_GT(n.x * w.x + n.y * w.y + n.z * w.z, 0);
    // Outward: the sphere's normal along its point, r_u x r_v pointing in here (u east, v north).
    const V middle{(a.x + b.x + c.x) / 3, (a.y + b.y + c.y) / 3, (a.z + b.z + c.z) / 3};
    EXPECT_LT(n.x * middle.x + n.y * middle.y + n.z * middle.z, 0);
  }
  const std::string said = admesh(folder + "/sphere.stl");
  EXPECT_EQ(admeshCount(said, "Normals fixed"), 0) << said;
  EXPECT_EQ(admeshCount(said, "Facets reversed"), 0) << said;
  EXPECT_EQ(admeshCount(said, "Number of facets"), static_cast<int>(count)) << said;
  EXPECT_TRUE(removeFolder(folder));
}

}  // namespace
