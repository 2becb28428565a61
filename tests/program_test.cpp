// The built viewer end to end, as a user drives it: keys through the X server, the window
// read back from the X server.
#include <gtest/gtest.h>
// The X headers after gtest: their None and Bool macros would break it.
#include <X11/XKBlib.h>
#include <X11/keysym.h>
#include <sys/stat.h>

#include <set>

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
      {},
      {"-geometry", "800x600+0+0"},
      {"--foo"},
      {"--foo", "bar", "-x"},
      {std::string(100000, 'x')},
      {"\xff\xfe\x80 not UTF-8 \xc3\x28"},
      {"-geometry", "garbage"},
      {"-geometry", "99999999999999x-5+abc"},
  };
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
  EXPECT_TRUE(viewer.screenshot().rgb != moving.rgb);

  // At rest: it stays put.
  viewer.press(XK_space);
  const Image rest = viewer.screenshot();
  sleepFor(0.3);
  EXPECT_TRUE(viewer.screenshot().rgb == rest.rgb);

  // Keys without a character do nothing.
  for (KeySym key : {XK_Left, XK_Right, XK_Up, XK_Down, XK_F1, XK_F5, XK_F12, XK_Shift_L}) {
    viewer.press(key, 0.1);
  }
  sleepFor(0.2);
  EXPECT_TRUE(viewer.screenshot().rgb == rest.rgb);

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
  EXPECT_TRUE(previous.rgb == rest.rgb);

  viewer.press(XK_space);
  const Image again = viewer.screenshot();
  sleepFor(0.3);
  EXPECT_TRUE(viewer.screenshot().rgb != again.rgb);

  viewer.press(XK_Escape, 0);
  EXPECT_EQ(viewer.waitForExit(10), 1);
}

// A display that does not exist, or a name that is no display at all: the toolkit's own
// message and a plain non-zero exit, not a crash.
TEST(Program, UnreachableDisplayEndsWithTheToolkitsMessage) {
  int unused = 50;
  for (struct stat s; unused < 100; ++unused) {
    const std::string n = std::to_string(unused);
    if (stat(("/tmp/.X11-unix/X" + n).c_str(), &s) != 0 &&
        stat(("/tmp/.X" + n + "-lock").c_str(), &s) != 0) {
      break;
    }
  }
  for (const std::string& name : {":" + std::to_string(unused), std::string("\x01::garbage::")}) {
    SCOPED_TRACE(name);
    ViewerProcess viewer({"-display", name});
    const int status = viewer.waitForExit(20);
    EXPECT_GT(status, 0);
    EXPECT_LT(status, 128) << "ended by a signal";
    EXPECT_NE(viewer.errors().find("failed to open display"), std::string::npos) << viewer.errors();
  }
}

// Every key the server has, Escape's aside, pressed once: the viewer is still there and still
// drawing, and Escape still ends it with status 1.
TEST(Program, SurvivesEveryKeyOfTheKeyboard) {
  ViewerProcess viewer;
  ASSERT_NE(viewer.waitForWindow(), 0u) << viewer.errors();
  Display* display = viewer.display();
  int low = 0, high = 0;
  XDisplayKeycodes(display, &low, &high);
  int pressed = 0;
  for (int code = low; code <= high; ++code) {
    const KeySym plain = XkbKeycodeToKeysym(display, static_cast<KeyCode>(code), 0, 0);
    const KeySym shifted = XkbKeycodeToKeysym(display, static_cast<KeyCode>(code), 0, 1);
    if (plain == NoSymbol || plain == XK_Escape || shifted == XK_Escape) continue;
    viewer.press(plain, 0.005);
    ++pressed;
  }
  EXPECT_GT(pressed, 50);
  sleepFor(0.5);
  ASSERT_TRUE(viewer.running()) << viewer.errors();
  // Whatever the space among them left the animation at, the next surface must show.
  const Image before = viewer.screenshot();
  viewer.press(XK_a);
  EXPECT_TRUE(viewer.screenshot().rgb != before.rgb) << "no longer drawing";
  viewer.press(XK_Escape, 0);
  EXPECT_EQ(viewer.waitForExit(10), 1);
}

// Resized, stretched, shrunk to a pixel, minimised and restored while animating: the viewer
// keeps drawing, the picture follows the window and the projection keeps its aspect of 1.
TEST(Program, FollowsTheWindowThroughResizesAndMinimising) {
  ViewerProcess viewer;
  ASSERT_NE(viewer.waitForWindow(), 0u) << viewer.errors();
  Display* display = viewer.display();
  const Window window = viewer.window();
  viewer.press(XK_space);
  const Image rest = viewer.screenshot();
  viewer.press(XK_space);

  auto resize = [&](unsigned width, unsigned height) {
    XResizeWindow(display, window, width, height);
    XSync(display, False);
    sleepFor(0.4);
  };
  resize(1, 1);
  resize(2000, 300);
  EXPECT_TRUE(viewer.running());
  XUnmapWindow(display, window);
  XSync(display, False);
  sleepFor(0.4);
  XMapWindow(display, window);
  XSync(display, False);
  sleepFor(0.4);

  // Twice as wide: the picture is stretched, so the vertical axis moves to the middle again.
  resize(800, 400);
  viewer.press(XK_space);
  const Image wide = viewer.screenshot();
  ASSERT_EQ(wide.width, 800);
  std::set<int> axis;
  for (int x = 0; x < wide.width; ++x) {
    if (!near(wide.at(x, 5), rest.at(0, 5), 1)) axis.insert(x);
  }
  ASSERT_FALSE(axis.empty());
  EXPECT_NEAR(*axis.begin(), 2 * 199, 3);
  EXPECT_NEAR(*axis.rbegin(), 2 * 200, 3);

  resize(400, 400);
  EXPECT_TRUE(viewer.screenshot().rgb == rest.rgb);
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
