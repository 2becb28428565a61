// The files the snapshot program writes: the ones asked for and nothing else, pictures of the
// right size, icons from the frame's middle, OBJ files whole or not at all, and permissions
// that follow the umask.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
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
// writable by the group under 002, private only when the umask says so.
TEST(SnapshotTool, FilesFollowTheUmask) {
  const std::string folder = newFolder();
  const struct {
    mode_t mask;
    const char* args;
    const char* file;
  } cases[] = {
      {022, "--surface 0 --out shared.png", "shared.png"},
      {002, "--surface 0 --obj --out team.obj", "team.obj"},
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

// The cells as OBJ files: the ones asked for, whole, without a display; a file that cannot be
// written, or a disk that fills, fails naming the file and leaves nothing half-written.
TEST(SnapshotTool, ObjFilesAreWholeOrAbsent) {
  const std::string folder = newFolder();
  ToolRun run = runTool(
      "/usr/bin/env",
      "-u DISPLAY " + quoted(NORMALS_SNAPSHOT) + " --obj --surface 3 --phase 0.75 --out moving.obj",
      folder);
  ASSERT_EQ(run.status, 0) << run.output;
  std::ifstream in(folder + "/moving.obj");
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_NE(text.find("# surface: X=(v+1)*sin(u*PI)*3, Y=cos((v+1)*PI*2)"), std::string::npos);
  EXPECT_NE(text.find("# phase: 0.75, the animation on"), std::string::npos);
  // Nine lines of comments, the object and its group, six lines a cell, the second group and
  // three lines a red line.
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 11 + 441 * 6 + 1 + 441 * 3);
  run = runSnapshot("--obj --all --at-rest --out all", folder);
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_EQ(entries(folder + "/all"),
            (std::vector<std::string>{"surface-0.obj", "surface-1.obj", "surface-2.obj",
                                      "surface-3.obj", "surface-4.obj", "surface-5.obj"}));

  const struct {
    const char* command;
    const char* file;
  } failures[] = {
      {"%s --obj --surface 0 --out /proc/cells.obj", "/proc/cells.obj"},
      // A disk that fills: the program may write 64 kB, and is told so, not killed.
      {"sh -c \"trap '' XFSZ; ulimit -f 64; exec %s --obj --surface 4 --out full.obj\"",
       "full.obj"},
  };
  for (const auto& f : failures) {
    SCOPED_TRACE(f.command);
    std::string command = f.command;
    command.replace(command.find("%s"), 2, quoted(NORMALS_SNAPSHOT));
    const std::string scratch = newFolder();
    run = runTool("/usr/bin/env", command, scratch);
    EXPECT_EQ(run.status, 2) << run.output;
    EXPECT_EQ(run.output.rfind(std::string("normals-snapshot: cannot write ") + f.file, 0), 0u)
        << run.output;
    EXPECT_EQ(std::count(run.output.begin(), run.output.end(), '\n'), 1) << run.output;
    EXPECT_TRUE(entries(scratch).empty());
    EXPECT_TRUE(removeFolder(scratch));
  }
  EXPECT_TRUE(removeFolder(folder));
}
