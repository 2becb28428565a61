// The snapshot program's other subjects: a surface of one's own, drawn as the built-ins are
// (surface 2 written as its formula gives surface 2's picture, byte for byte), its refusals and
// its undefined cells said; and other eyes, the viewer's own giving the default pictures.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

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
      {"--x 'u' --y 'u*v*w' --z 'v'", "", "normals-snapshot: Y: unknown name \"w\" at column 5\n"},
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
  // The caption is the formulas' own, and here the same text as the built-in's.
  EXPECT_EQ(contents(folder + "/formula.png"), contents(folder + "/builtin.png"));
  EXPECT_NE(contents(folder + "/undefined.png"), contents(folder + "/builtin.png"));
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

}  // namespace
