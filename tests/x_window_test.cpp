// What the driver reads through the X server: pixels by the visual's own masks, and requests
// the server refuses reaching the test as errors with the server's reason.
#include <gtest/gtest.h>
// The X headers after gtest: their None and Bool macros would break it.
#include <X11/Xlib.h>

#include <functional>
#include <stdexcept>
#include <string>

#include "x_window.h"

namespace {

TEST(XWindow, ChannelsFollowTheVisualsMasks) {
  const struct {
    const char* visual;
    unsigned long pixel, mask;
    int channel;
  } cases[] = {
      {"8-8-8 red", 0x123456, 0xff0000, 0x12},
      {"8-8-8 green", 0x123456, 0x00ff00, 0x34},
      {"8-8-8 blue", 0x123456, 0x0000ff, 0x56},
      {"blue-green-red, red low", 0x563412, 0x0000ff, 0x12},
      {"5-6-5 red, full", 0xf800, 0xf800, 255},
      {"5-6-5 green, half", 0x0400, 0x07e0, 32 * 255 / 63},
      {"10-10-10 blue, full", 0x3ff, 0x3ff, 255},
      {"no such channel", 0xffffff, 0, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(channelOf(c.pixel, c.mask), c.channel) << c.visual;
  }
}

// A window that is gone, and one that is not mapped, cannot be read: each read says why.
TEST(XWindow, RefusedRequestsSayWhy) {
  Display* display = XOpenDisplay(nullptr);
  ASSERT_NE(display, nullptr) << "no X display";
  const Window unmapped =
      XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 40, 30, 0, 0, 0);
  const Window gone =
      XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 40, 30, 0, 0, 0);
  XDestroyWindow(display, gone);
  XSync(display, False);
  EXPECT_EQ(windowGeometry(display, unmapped).width, 40);

  const struct {
    const char* what;
    std::function<void()> request;
    const char* reason;
  } cases[] = {
      {"size of a window gone", [&] { windowGeometry(display, gone); }, "BadWindow"},
      {"pixels of a window gone", [&] { readWindow(display, gone); }, "BadWindow"},
      {"title of a window gone", [&] { windowTitle(display, gone); }, "BadWindow"},
      {"resizing a window gone", [&] { resizeWindow(display, gone, 5, 5); }, "BadWindow"},
      {"pixels of an unmapped window", [&] { readWindow(display, unmapped); }, "BadMatch"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    try {
      c.request();
      ADD_FAILURE() << "no error";
    } catch (const std::runtime_error& e) {
      EXPECT_NE(std::string(e.what()).find(c.reason), std::string::npos) << e.what();
    }
  }
  XDestroyWindow(display, unmapped);
  XCloseDisplay(display);
}

}  // namespace
