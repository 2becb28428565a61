// The built viewer end to end, as a user drives it: keys through the X server, the window
// read back from the X server.
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include "viewer_process.h"

namespace {

const char* const kTitle = "Normals: space pauses, any other key advances";

// Rows of the window that hold the caption and nothing of the surfaces.
bool sameCaption(const Image& a, const Image& b) {
  for (int y = 26; y < 48; ++y) {
    for (int x = 0; x < a.width; ++x) {
      if (!near(a.at(x, y), b.at(x, y), 0)) return false;
    }
  }
  return true;
}

// Window geometry options are overridden and unknown arguments ignored, without a word.
TEST(Program, WindowIgnoresGeometryAndUnknownArguments) {
  const std::vector<std::vector<std::string>> commandLines = {
      {}, {"-geometry", "800x600+0+0"}, {"--foo"}, {"--foo", "bar", "-x"}};
  for (const auto& args : commandLines) {
    SCOPED_TRACE(testing::Message() << args.size() << " arguments");
    ViewerProcess viewer(args);
    ASSERT_NE(viewer.waitForWindow(), 0u) << viewer.errors();
    EXPECT_EQ(viewer.title(), kTitle);
    int x, y, width, height;
    viewer.geometry(&x, &y, &width, &height);
    EXPECT_EQ(x, 100);
    EXPECT_EQ(y, 100);
    EXPECT_EQ(width, 400);
    EXPECT_EQ(height, 400);
    viewer.press(XK_Escape, 0);
    EXPECT_EQ(viewer.waitForExit(10), 1);
    EXPECT_EQ(viewer.errors(), "");
  }
}

TEST(Program, KeysAsAUserPressesThem) {
  ViewerProcess viewer;
  ASSERT_NE(viewer.waitForWindow(), 0u) << viewer.errors();

  // Animated: the picture changes by itself.
  const Image moving = viewer.screenshot();
  sleepFor(0.3);
  EXPECT_NE(viewer.screenshot().rgb, moving.rgb);

  // At rest: it stays put.
  viewer.press(XK_space);
  const Image rest = viewer.screenshot();
  sleepFor(0.3);
  EXPECT_EQ(viewer.screenshot().rgb, rest.rgb);

  // Keys without a character do nothing.
  for (KeySym key : {XK_Left, XK_Right, XK_Up, XK_Down, XK_F1, XK_F5, XK_F12, XK_Shift_L}) {
    viewer.press(key, 0.1);
  }
  sleepFor(0.2);
  EXPECT_EQ(viewer.screenshot().rgb, rest.rgb);

  // Each ordinary key shows the next surface and its caption; six bring back the first.
  Image previous = rest;
  const KeySym keys[] = {XK_a, XK_B, XK_7, XK_Return, XK_Tab, XK_a};
  for (int i = 0; i < 6; ++i) {
    viewer.press(keys[i]);
    const Image now = viewer.screenshot();
    if (i < 5) {
      EXPECT_FALSE(sameCaption(now, previous)) << "key " << i;
      EXPECT_FALSE(sameCaption(now, rest)) << "key " << i;
    }
    previous = now;
  }
  EXPECT_EQ(previous.rgb, rest.rgb);

  viewer.press(XK_space);
  const Image again = viewer.screenshot();
  sleepFor(0.3);
  EXPECT_NE(viewer.screenshot().rgb, again.rgb);

  viewer.press(XK_Escape, 0);
  EXPECT_EQ(viewer.waitForExit(10), 1);
}

TEST(Program, EscapeAtRestEndsWithStatusOne) {
  ViewerProcess viewer;
  ASSERT_NE(viewer.waitForWindow(), 0u) << viewer.errors();
  viewer.press(XK_space);
  viewer.press(XK_Escape, 0);
  EXPECT_EQ(viewer.waitForExit(10), 1);
}

TEST(Program, ClosingTheWindowEndsIt) {
  ViewerProcess viewer;
  ASSERT_NE(viewer.waitForWindow(), 0u) << viewer.errors();
  viewer.requestClose();
  const int status = viewer.waitForExit(10);
  EXPECT_NE(status, -1) << "still running after the window was closed";
  EXPECT_LT(status, 128) << "ended by a signal";
}

}  // namespace
