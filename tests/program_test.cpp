// The built viewer end to end, as a user drives it: keys through the X server, the window
// read back from the X server.
#include <gtest/gtest.h>
// The X headers after gtest: their None and Bool macros would break it.
#include <X11/XKBlib.h>
#include <X11/keysym.h>
#include <sys/stat.h>

#include <set>
#include <string>
#include <vector>

#include "app/startup.h"
#include "pixels.h"
#include "viewer_process.h"

namespace {

// Rows of the window that hold the caption and nothing of the surfaces.
bool sameCaption(const Image& a, const Image& b) {
  for (int y = 26; y < 48; ++y) {
    for (int x = 0; x < a.width; ++x) {
      if (!near(a.at(x, y), b.at(x, y), 0)) return false;
    }
  }
  return true;
}

// Presses `key` and waits until the caption differs from the one in `before`.
bool pressAndSeeANewCaption(ViewerProcess& viewer, KeySym key, const Image& before) {
  viewer.press(key);
  return viewer.waitForPicture([&](const Image& now) { return !sameCaption(now, before); });
}

// Ends the viewer as a user does, and expects the status Escape gives. In the sanitizer build
// a leak is reported at exit without changing the status, so its report is looked for too.
void pressEscape(ViewerProcess& viewer) {
  viewer.press(XK_Escape);
  EXPECT_EQ(viewer.waitForExit(), 1) << viewer.errors();
  EXPECT_EQ(viewer.errors().find("Sanitizer"), std::string::npos) << viewer.errors();
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
    EXPECT_EQ(viewer.title(), kWindowTitle);
    const WindowGeometry g = viewer.geometry();
    EXPECT_EQ(g.x, 100);
    EXPECT_EQ(g.y, 100);
    EXPECT_EQ(g.width, 400);
    EXPECT_EQ(g.height, 400);
    pressEscape(viewer);
    EXPECT_EQ(viewer.errors(), "");
  }
}

TEST(Program, KeysAsAUserPressesThem) {
  ViewerProcess viewer;
  ASSERT_NE(viewer.waitForWindow(), 0u) << viewer.errors();

  // Animated: the picture changes by itself.
  const Image first = viewer.screenshot();
  EXPECT_TRUE(viewer.waitForPicture([&](const Image& now) { return now.rgb != first.rgb; }));

  // At rest: it stops.
  viewer.press(XK_space);
  const Image rest = viewer.waitForStillPicture();
  ASSERT_FALSE(rest.rgb.empty()) << "the picture never stopped moving";

  // Keys without a character change nothing; each ordinary key shows the next surface and its
  // caption, and six bring back the first picture, which they would not if one of the keys
  // before had advanced the surface or started the animation.
  for (KeySym key : {XK_Left, XK_Right, XK_Up, XK_Down, XK_F1, XK_F5, XK_F12, XK_Shift_L}) {
    viewer.press(key);
  }
  Image previous = rest;
  const KeySym keys[] = {XK_a, XK_B, XK_7, XK_Return, XK_Tab};
  for (KeySym key : keys) {
    ASSERT_TRUE(pressAndSeeANewCaption(viewer, key, previous)) << "key " << key;
    previous = viewer.screenshot();
    EXPECT_FALSE(sameCaption(previous, rest)) << "key " << key;
  }
  viewer.press(XK_a);
  EXPECT_TRUE(viewer.waitForPicture([&](const Image& now) { return now.rgb == rest.rgb; }))
      << "six keys did not bring back the first picture";
  EXPECT_EQ(viewer.waitForStillPicture().rgb, rest.rgb);

  viewer.press(XK_space);
  EXPECT_TRUE(viewer.waitForPicture([&](const Image& now) { return now.rgb != rest.rgb; }));
  pressEscape(viewer);
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
    const int status = viewer.waitForExit();
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
    viewer.press(plain);
    ++pressed;
  }
  EXPECT_GT(pressed, 50);
  // Whatever the space among them left the animation at, the next surface must show.
  ASSERT_TRUE(pressAndSeeANewCaption(viewer, XK_a, viewer.screenshot())) << viewer.errors();
  ASSERT_TRUE(viewer.running()) << viewer.errors();
  pressEscape(viewer);
}

// Resized, stretched, shrunk to a pixel, minimised and restored while animating: the viewer
// keeps drawing, the picture follows the window and the projection keeps its aspect of 1.
// At rest at the end, Escape still gives status 1.
TEST(Program, FollowsTheWindowThroughResizesAndMinimising) {
  ViewerProcess viewer;
  ASSERT_NE(viewer.waitForWindow(), 0u) << viewer.errors();
  viewer.press(XK_space);
  const Image rest = viewer.waitForStillPicture();
  ASSERT_FALSE(rest.rgb.empty());
  viewer.press(XK_space);

  ASSERT_TRUE(viewer.resize(1, 1));
  ASSERT_TRUE(viewer.resize(2000, 300));
  ASSERT_TRUE(viewer.setMapped(false));
  ASSERT_TRUE(viewer.setMapped(true));
  EXPECT_TRUE(viewer.running());

  // Twice as wide: the picture is stretched, so the vertical axis (two pixels wide at any
  // size) is in the middle again.
  ASSERT_TRUE(viewer.resize(800, 400));
  viewer.press(XK_space);
  const Image wide = viewer.waitForStillPicture();
  ASSERT_EQ(wide.width, 800);
  std::set<int> axis;
  for (int x = 0; x < wide.width; ++x) {
    if (!near(wide.at(x, 5), rest.at(0, 5), 1)) axis.insert(x);
  }
  EXPECT_EQ(axis, (std::set<int>{399, 400}));

  ASSERT_TRUE(viewer.resize(400, 400));
  EXPECT_TRUE(viewer.waitForPicture([&](const Image& now) { return now.rgb == rest.rgb; }));
  pressEscape(viewer);
}

TEST(Program, ClosingTheWindowEndsIt) {
  ViewerProcess viewer;
  ASSERT_NE(viewer.waitForWindow(), 0u) << viewer.errors();
  viewer.requestClose();
  const int status = viewer.waitForExit();
  EXPECT_NE(status, -1) << "still running after the window was closed";
  EXPECT_LT(status, 128) << "ended by a signal";
}

}  // namespace
