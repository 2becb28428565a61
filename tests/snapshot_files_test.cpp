// The files the snapshot program writes: the ones asked for and nothing else, pictures of the
// right size, icons from the frame's middle, and permissions that follow the umask.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "png_file.h"
#include "tool_run.h"

namespace {

ToolRun runSnapshot(const std::string& args, const std::string& folder) {
  return runTool(NORMALS_SNAPSHOT, args, folder);
}

TEST(SnapshotTool, WritesTheChosenFilesAndNothingElse) {
  const std::string folder = newFolder();
  ToolRun run = runSnapshot("", folder);
  ASSERT_EQ(run.status, 0) << run.output;
  run = runSnapshot("--surface 3 --phase 0.25 --out moving.png", folder);
  ASSERT_EQ(run.status, 0) << run.output;
  run = runSnapshot("--surface 2 --out sub", folder);
  ASSERT_EQ(run.status, 0) << run.output;
  run = runSnapshot("--surface 5 --icon 256 --out icon-256.png", folder);
  ASSERT_EQ(run.status, 0) << run.output;
  run = runSnapshot("--surface 5 --icon 48 --out icon-48.png", folder);
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_EQ(entries(folder),
            (std::vector<std::string>{"icon-256.png", "icon-48.png", "moving.png", "sub",
                                      "surface-0.png", "surface-1.png", "surface-2.png",
                                      "surface-3.png", "surface-4.png", "surface-5.png"}));
  EXPECT_EQ(entries(folder + "/sub"), std::vector<std::string>{"surface-2.png"});
  Image rest, moving;
  ASSERT_EQ(readPng(folder + "/surface-3.png", &rest), "");
  ASSERT_EQ(readPng(folder + "/moving.png", &moving), "");
  EXPECT_EQ(rest.width, 400);
  EXPECT_TRUE(rest.rgb != moving.rgb);

  // An icon at full size is the frame's middle 256 x 256, pixel for pixel; smaller, it is
  // averaged down.
  Image sphere, icon, small;
  ASSERT_EQ(readPng(folder + "/surface-5.png", &sphere), "");
  ASSERT_EQ(readPng(folder + "/icon-256.png", &icon), "");
  ASSERT_EQ(readPng(folder + "/icon-48.png", &small), "");
  ASSERT_EQ(icon.width, 256);
  for (int y = 0; y < 256; ++y) {
    for (int x = 0; x < 256; ++x) {
      const Rgb a = icon.at(x, y), b = sphere.at(72 + x, 72 + y);
      ASSERT_TRUE(a.r == b.r && a.g == b.g && a.b == b.b) << "pixel " << x << "," << y;
    }
  }
  EXPECT_EQ(small.width, 48);
  EXPECT_EQ(small.height, 48);
  EXPECT_TRUE(removeFolder(folder));
}

// Written files get the permissions any new file of the user's would: shared under umask 022,
// private only when the umask says so.
TEST(SnapshotTool, FilesFollowTheUmask) {
  const std::string folder = newFolder();
  const struct {
    mode_t mask;
    const char* args;
    const char* file;
  } cases[] = {
      {022, "--surface 0 --out shared.png", "shared.png"},
      {027, "--surface 0 --out group.png", "group.png"},
      {077, "--animation --every 300 --surface 0 --out private.gif", "private.gif"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args);
    const mode_t before = umask(c.mask);
    const ToolRun run = runSnapshot(c.args, folder);
    umask(before);
    ASSERT_EQ(run.status, 0) << run.output;
    struct stat s {};
    ASSERT_EQ(stat((folder + "/" + c.file).c_str(), &s), 0);
    EXPECT_EQ(s.st_mode & 0777, 0666 & ~c.mask);
  }
  EXPECT_TRUE(removeFolder(folder));
}

}  // namespace
