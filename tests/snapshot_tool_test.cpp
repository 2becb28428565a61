// The snapshot program as a user runs it: its arguments, its answers, its animations, and that
// its pictures are what the viewer's window shows (its files: snapshot_files_test.cpp).
#include <X11/keysym.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/viewer_state.h"
#include "gif_reader.h"
#include "png_file.h"
#include "tool_run.h"
#include "viewer_process.h"

namespace {

ToolRun runSnapshot(const std::string& args, const std::string& folder) {
  return runTool(NORMALS_SNAPSHOT, args, folder);
}

TEST(SnapshotTool, RefusesBadArgumentsInOneLine) {
  const std::string folder = newFolder();
  const char* const bad[] = {
      "--frobnicate",
      "--surface",
      "--surface 6",
      "--surface -1",
      "--surface 1x",
      "--surface ' 2'",
      "--phase 1.5",
      "--phase -0.1",
      "--phase nan",
      "--phase ''",
      "--surface 1 --all",
      "--phase 0.5 --at-rest",
      "--out /dev/null/sub",
      "--surface 0 --out /dev/null/x.png",
      "--animation --every 0",
      "--animation --every 301",
      "--animation --every 2.5",
      "--animation --every x",
      "--animation --every 1e1",
      "--icon 15",
      "--icon 257",
      "--animation --icon 48",
      "--animation --phase 0.5",
      "--every 5",
      "--animation --out /dev/null/sub",
      "--animation --surface 1 --out /dev/null/x.gif",
      "--obj --animation",
      "--obj --icon 48",
      "--obj --surface 1 --out /dev/null/x.obj",
      "--x u --y 0",
      "--x u --y 0 --z v --surface 2",
      "--x u --x v --y 0 --z v",
      "--x '' --y 0 --z v",
      "--eye 1,2",
      "--eye 0,0,0",
      "--eye 0,-4,0",
      "--eye 1,x,2",
      "--eye 1,inf,2",
      "--obj --eye 1,2,3",
      "--stl --fit",
      // Grids, ranges and constants.
      "--cells 0",
      "--cells 101",
      "--cells 3,x",
      "--cells 3,4,5",
      "--surface 1 --u 0,1",
      "--x u --y 0 --z v --u 1,1",
      "--x u --y 0 --z v --v 0,nan",
      "--surface 1 --set a=1",
      "--x u*a --y 0 --z v --set b=1",
      "--x u*a --y 0 --z v --set a=x",
      "--x u*a --y 0 --z v --set =2",
      "--surface 1 --cells 4,30 --inspect 4,0",
      "--x u*view --y 0 --z v",
      "--x u*cells --y 0 --z v",
      "--x u --y large --z v",
      // Normals and files.
      "--facet edges",
      "--shading phong",
      "--obj --shading smooth",
      "--stl --facet diagonals",
      "--obj --stl",
      "--stl --animation",
      "--surface 1 --stl --inspect 1,1",
  };
  for (const char* args : bad) {
    const ToolRun run = runSnapshot(args, folder);
    EXPECT_EQ(run.status, 2) << args;
    EXPECT_EQ(std::count(run.output.begin(), run.output.end(), '\n'), 1)
        << args << ": " << run.output;
    EXPECT_EQ(run.output.rfind("normals-snapshot: ", 0), 0u) << run.output;
  }
  EXPECT_TRUE(entries(folder).empty());
  rmdir(folder.c_str());
}

// --help and --version answer on standard output, with status 0.
TEST(SnapshotTool, AnswersHelpAndVersion) {
  const struct {
    const char* option;
    std::string answer;  // how the answer starts
  } cases[] = {
      {"--help", "usage: normals-snapshot ["},
      {"--version", "normals-snapshot " NORMALS_VERSION "\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.option);
    const std::string command = quoted(NORMALS_SNAPSHOT) + " " + c.option + " 2>/dev/null";
    FILE* out = popen(command.c_str(), "r");
    ASSERT_NE(out, nullptr);
    std::string answer;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, out) != nullptr) answer += buffer;
    const int status = pclose(out);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(answer.rfind(c.answer, 0), 0u) << answer;
  }
}

// Every frame of an animation is the frame the tool draws at that frame's phase, and the
// animation covers one oscillation, looping forever at ten frames a second.
TEST(SnapshotTool, AnimationsAreTheViewersFrames) {
  const std::string folder = newFolder();
  ToolRun run = runSnapshot("--animation --surface 3 --every 20 --out disc.gif", folder);
  ASSERT_EQ(run.status, 0) << run.output;
  const DecodedGif gif = readGif(folder + "/disc.gif");
  ASSERT_EQ(gif.error, "");
  ASSERT_EQ(gif.frames.size(), 300u / 20);
  EXPECT_EQ(gif.loops, 0);
  for (std::size_t i = 0; i < gif.frames.size(); ++i) {
    SCOPED_TRACE(gif.notes[i]);
    EXPECT_EQ(gif.delays[i], 10);
    ASSERT_EQ(gif.notes[i].rfind("phase ", 0), 0u);
    run = runSnapshot("--surface 3 --phase " + gif.notes[i].substr(6) + " --out still.png", folder);
    ASSERT_EQ(run.status, 0) << run.output;
    Image still;
    ASSERT_EQ(readPng(folder + "/still.png", &still), "");
    EXPECT_TRUE(gif.frames[i].rgb == still.rgb) << "frame " << i;
    if (i > 0) {
      EXPECT_TRUE(gif.frames[i].rgb != gif.frames[i - 1].rgb) << "frame " << i;
    }
  }

  // By default at least 30 frames an oscillation, one file per surface.
  run = runSnapshot("--animation --all --out all", folder);
  ASSERT_EQ(run.status, 0) << run.output;
  for (unsigned k = 0; k < kSurfaceCount; ++k) {
    const DecodedGif one = readGif(folder + "/all/surface-" + std::to_string(k) + ".gif");
    EXPECT_EQ(one.error, "");
    EXPECT_GE(one.frames.size(), 30u) << "surface " << k;
  }
  EXPECT_TRUE(removeFolder(folder));
}

// What the tool writes is what the running viewer's window shows, surface by surface.
TEST(SnapshotTool, MatchesTheViewersWindow) {
  const std::string folder = newFolder();
  const ToolRun run = runSnapshot("--all --at-rest", folder);
  ASSERT_EQ(run.status, 0) << run.output;

  ViewerProcess viewer;
  ASSERT_NE(viewer.waitForWindow(), 0u) << viewer.errors();
  viewer.press(XK_space);
  for (unsigned k = 0; k < kSurfaceCount; ++k) {
    Image snapshot;
    ASSERT_EQ(readPng(folder + "/surface-" + std::to_string(k) + ".png", &snapshot), "");
    EXPECT_TRUE(viewer.waitForPicture([&](const Image& now) { return now.rgb == snapshot.rgb; }))
        << "surface " << k;
    viewer.press(XK_n);
  }
  viewer.press(XK_Escape);
  EXPECT_EQ(viewer.waitForExit(), 1);
  EXPECT_TRUE(removeFolder(folder));
}

}  // namespace
