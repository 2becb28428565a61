// The snapshot program's other subjects: a surface of one's own, drawn as the built-ins are
// (surface 2 written as its formula gives surface 2's picture, byte for byte), its refusals and
// its undefined cells said; and other eyes, the viewer's own giving the default pictures.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "png_file.h"
#include "tool_run.h"

namespace {

ToolRun runSnapshot(const std::string& args, const std::string& folder) {
  return runTool(NORMALS_SNAPSHOT, args, folder);
}

std::string contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(SnapshotTool, DrawsASurfaceOfOnesOwnAsTheBuiltInsAreDrawn) {
  const std::string folder = newFolder();
  const struct {
    const char* args;
    const char* file;
    const char* said;  // on standard error, or ""
  } runs[] = {
      {"--surface 2 --out builtin.png", "builtin.png", ""},
      {"--x 'u*5' --y 'sin(u*v*5)' --z 'v*5' --out formula.png", "formula.png", ""},
      {"--x 'u*5' --y 'log(u)' --z 'v*5' --out undefined.png", "undefined.png",
       "normals-snapshot: 231 of 441 cells are undefined and not drawn\n"},
      {"--x 'u*5' --y '(t-0.5+u)*5' --z 'v' --animation --every 100", "formula.gif", ""},
      {"--x 'u' --y '2*sinn(u)' --z 'v'", "",
       "normals-snapshot: Y: unknown function \"sinn\" at column 3\n"},
      // Of the three frames (phases 0.93, 0.07 and 0.50) only the middle one leaves every cell
      // out: the most of any frame is said, not the last frame's none.
      {"--x u --y 't<0.2 ? log(-1) : 0' --z v --animation --every 100 --out max.gif", "max.gif",
       "normals-snapshot: 441 of 441 cells are undefined and not drawn in some frames\n"},
      // The formula's own cells, none past a float, are written.
      {"--x u --y 2 --z v --obj --out flat.obj", "flat.obj", ""},
      {"--x 1e308*u --y 0 --z v --obj --out huge.obj", "huge.obj", "441 of 441 cells"},
      {"--surface 1 --inspect 4,21", "", "--inspect: the grid has rows 0 to 20 and columns 0 to 20"},
      {"--surface 1 --normals sideways", "", "--normals takes facet, surface or both"},
      {"--surface 1 --eye 1e-300,10,0", "", "no nearer the vertical than 80"},
      // v keeps the viewer's span when only u is given; a negative constant is a constant.
      {"--x R*u --y 0 --z v --u 0,1 --set R=-1 --obj --out ranged.obj", "ranged.obj", ""},
  };
  for (const auto& r : runs) {
    SCOPED_TRACE(r.args);
    const ToolRun run = runSnapshot(r.args, folder);
    EXPECT_EQ(run.status, r.file[0] != '\0' ? 0 : 2) << run.output;
    if (r.said[0] != '\0') {
      EXPECT_NE(run.output.find(r.said), std::string::npos) << run.output;
    }
    if (r.file[0] != '\0') {
      EXPECT_FALSE(contents(folder + "/" + r.file).empty());
    }
  }
  EXPECT_NE(contents(folder + "/ranged.obj").find("v from -1 to 1.0999999999999999 in 21 cells"),
            std::string::npos);
  EXPECT_NE(contents(folder + "/ranged.obj").find("\nv -0 0 -1\nv -0 0 -0.90000000000000002\n"),
            std::string::npos)
      << "R = -1 times u = 0";
  // The caption is the formulas' own, and here the same text as the built-in's.
  EXPECT_EQ(contents(folder + "/formula.png"), contents(folder + "/builtin.png"));
  EXPECT_NE(contents(folder + "/undefined.png"), contents(folder + "/builtin.png"));
  // The formula's plane at Y = 2, cell by cell; nothing not finite in the file of huge values.
  EXPECT_NE(contents(folder + "/flat.obj").find("\nv -1 2 -1\nv -1 2 -0.90000000000000002\n"),
            std::string::npos);
  for (const char* word : {"nan", "inf"}) {
    EXPECT_EQ(contents(folder + "/huge.obj").find(word), std::string::npos) << word;
  }
  EXPECT_TRUE(removeFolder(folder));
}

TEST(SnapshotTool, OtherEyesAndTheViewersOwn) {
  const std::string folder = newFolder();
  for (const char* args :
       {"--surface 3 --out default.png", "--surface 3 --eye 10,10,10 --out own.png",
        "--surface 3 --eye 14,2,6 --out side.png"}) {
    const ToolRun run = runSnapshot(args, folder);
    ASSERT_EQ(run.status, 0) << args << ": " << run.output;
  }
  EXPECT_EQ(contents(folder + "/own.png"), contents(folder + "/default.png"));
  EXPECT_NE(contents(folder + "/side.png"), contents(folder + "/default.png"));
  EXPECT_TRUE(removeFolder(folder));
}

// --inspect's numbers are the doubles themselves, read back exactly, and its corners are in the
// order P00, P10, P01, P11: a plane X = u, Y = 2v cut into thirds, whose corners are known.
TEST(SnapshotTool, InspectPrintsTheCellsExactNumbers) {
  const std::string folder = newFolder();
  const ToolRun run = runSnapshot(
      "--x u --y 2*v --z 0 --u 0,1 --v 0,1 --cells 3 --inspect 1,2 --out i.png 2>/dev/null",
      folder);
  ASSERT_EQ(run.status, 0) << run.output;
  const std::size_t at = run.output.find("\"corners\":");
  ASSERT_NE(at, std::string::npos) << run.output;
  std::vector<double> seen;
  const char* p = run.output.c_str() + at + 10;
  while (seen.size() < 12) {
    while (*p == '[' || *p == ',' || *p == ']') ++p;
    char* end = nullptr;
    seen.push_back(std::strtod(p, &end));
    ASSERT_NE(end, p) << p;
    p = end;
  }
  const double third = 1.0 / 3, twoThirds = 2.0 / 3, y0 = 2 * twoThirds;
  const std::vector<double> want = {third, y0, 0, twoThirds, y0, 0,  // P00, P10 (a row on)
                                    third, 2,  0, twoThirds, 2,  0};  // P01, P11
  EXPECT_EQ(seen, want);
  EXPECT_TRUE(removeFolder(folder));
}

// --fit: a small sphere that the viewer's eye sees 53 pixels wide fills the picture, seen from
// the same side; the pixels it covers (those not the background's) grow many times over.
TEST(SnapshotTool, FitFramesTheSurface) {
  const std::string folder = newFolder();
  const std::string sphere =
      "--x 'cos(u)*cos(v)' --y 'sin(v)' --z 'sin(u)*cos(v)' --u 0,2*pi --v -pi/2,pi/2 --cells 12 ";
  for (const std::string& args : {sphere + "--out small.png", sphere + "--fit --out fitted.png",
                                 sphere + "--eye 0,0,9 --fit --out front.png"}) {
    const ToolRun run = runSnapshot(args, folder);
    ASSERT_EQ(run.status, 0) << args << ": " << run.output;
  }
  const auto covered = [&folder](const char* name, int* width) {
    Image image;
    EXPECT_EQ(readPng(folder + "/" + name, &image), "");
    const auto background = image.at(0, 0);
    int count = 0, left = image.width, right = -1;
    for (int y = 0; y < image.height; ++y) {
      for (int x = 0; x < image.width; ++x) {
        const auto p = image.at(x, y);
        // The sphere's light grey faces, brighter than the axes' and caption's grey.
        if (p.r == p.g && p.g == p.b && p.r != background.r && p.r >= 180) {
          ++count;
          left = std::min(left, x);
          right = std::max(right, x);
        }
      }
    }
    *width = right - left + 1;
    return count;
  };
  int small = 0, fitted = 0, front = 0;
  const int smallCount = covered("small.png", &small), fittedCount = covered("fitted.png", &fitted);
  covered("front.png", &front);
  EXPECT_GT(fittedCount, 10 * smallCount);
  // The bounding sphere (radius sqrt 3) fills the picture's 45 degrees, so the eye stands
  // d = sqrt 3 / sin 22.5 = 4.526 from the middle; the sphere's widest grid points, (+-1, 0, 0),
  // lie 200 (1 / d) / tan 22.5 = 106.7 pixels either side: 213 wide, less the faces at the rim
  // lit darker than the faces counted.
  EXPECT_NEAR(front, 213, 10);
  EXPECT_GT(fitted, 3 * small);
  EXPECT_TRUE(removeFolder(folder));
}

// 21 cells asked for by number are the viewer's own grid, in the picture and the OBJ file alike;
// one number is the cells along both parameters.
TEST(SnapshotTool, CellsByNumberAreTheGridTheySay) {
  const std::string folder = newFolder();
  for (const char* args :
       {"--surface 2 --out default.png", "--surface 2 --cells 21 --out cells.png",
        "--surface 2 --obj --out default.obj", "--surface 2 --cells 21,21 --obj --out cells.obj",
        "--surface 2 --cells 5 --obj --out five.obj", "--surface 2 --cells 5,3 --obj --out 5x3.obj"}) {
    const ToolRun run = runSnapshot(args, folder);
    ASSERT_EQ(run.status, 0) << args << ": " << run.output;
  }
  EXPECT_EQ(contents(folder + "/cells.png"), contents(folder + "/default.png"));
  EXPECT_EQ(contents(folder + "/cells.obj"), contents(folder + "/default.obj"));
  const auto faces = [&folder](const char* name) {
    const std::string text = contents(folder + "/" + name);
    int count = 0;
    for (std::size_t at = text.find("\nf "); at != std::string::npos; at = text.find("\nf ", at + 1)) {
      ++count;
    }
    return count;
  };
  EXPECT_EQ(faces("default.obj"), 441);
  EXPECT_EQ(faces("five.obj"), 25);
  EXPECT_EQ(faces("5x3.obj"), 15);
  EXPECT_TRUE(removeFolder(folder));
}

// The choices of normal change only what they should: on a plane every normal is the same, and
// the pictures are the viewer's own byte for byte; on a sphere smooth and exact shading light
// each corner apart and the picture changes; the diagonals turn the red lines of a surface
// whose corner and diagonal normals differ.
TEST(SnapshotTool, NormalChoicesChangeOnlyWhatDiffers) {
  const std::string folder = newFolder();
  const std::string sphere =
      "--x 'cos(u)*cos(v)' --y 'sin(v)' --z 'sin(u)*cos(v)' --u 0,6.283185307179586 "
      "--v -1.5707963267948966,1.5707963267948966 --cells 12 --eye 3,2,3 ";
  const struct {
    std::string args;
    const char* file;
  } runs[] = {
      {"--surface 0", "surface-0.png"},
      {"--surface 0 --shading smooth --out plane-smooth.png", "plane-smooth.png"},
      {"--surface 0 --shading exact --facet diagonals --out plane-exact.png", "plane-exact.png"},
      {"--surface 2", "surface-2.png"},
      {"--surface 2 --facet diagonals --out ripple-diagonals.png", "ripple-diagonals.png"},
      {"--surface 2 --facet corner --shading flat --out ripple-corner.png", "ripple-corner.png"},
      {sphere + "--out flat.png", "flat.png"},
      {sphere + "--shading smooth --out smooth.png", "smooth.png"},
      {sphere + "--shading exact --out exact.png", "exact.png"},
  };
  for (const auto& run : runs) {
    const ToolRun r = runSnapshot(run.args, folder);
    ASSERT_EQ(r.status, 0) << run.args << ": " << r.output;
  }
  const auto file = [&folder](const char* name) { return contents(folder + "/" + name); };
  EXPECT_EQ(file("plane-smooth.png"), file("surface-0.png"));
  EXPECT_EQ(file("plane-exact.png"), file("surface-0.png"));
  EXPECT_EQ(file("ripple-corner.png"), file("surface-2.png"));
  EXPECT_NE(file("ripple-diagonals.png"), file("surface-2.png"));
  EXPECT_NE(file("smooth.png"), file("flat.png"));
  EXPECT_NE(file("exact.png"), file("flat.png"));
  EXPECT_NE(file("exact.png"), file("smooth.png"));
  EXPECT_TRUE(removeFolder(folder));
}

}  // namespace
