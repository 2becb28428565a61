// A top-level window seen and driven through the X server: found by its title and owner,
// read back, resized, mapped, sent keys and asked to close. A request the server refuses
// throws std::runtime_error naming the request and the server's reason, so that a test sees
// why, never a picture read from nothing.
#pragma once

#include <X11/Xlib.h>
#include <sys/types.h>

#include <string>

#include "image.h"

struct WindowGeometry {
  int x, y;  // the top-left corner on the screen
  int width, height;
};

// One channel of a pixel of a TrueColor visual, from its mask, scaled to 0 to 255.
unsigned char channelOf(unsigned long pixel, unsigned long mask);

// The viewable top-level window titled `title` whose owner (_NET_WM_PID, where the toolkit
// sets it) is `pid` or a process it started (a wrapper such as a tracer may run the program as
// its child), or 0. Windows that vanish while they are looked at are passed over.
Window findWindow(Display* display, const std::string& title, pid_t pid);

WindowGeometry windowGeometry(Display* display, Window window);
bool isViewable(Display* display, Window window);
// The window's contents as the X server holds them.
Image readWindow(Display* display, Window window);
std::string windowTitle(Display* display, Window window);
// Gives the window the focus, then presses and releases the key of this keysym.
void pressKey(Display* display, Window window, KeySym key);
void resizeWindow(Display* display, Window window, int width, int height);
void setWindowMapped(Display* display, Window window, bool mapped);
// Asks the window to close, as a window manager does.
void requestClose(Display* display, Window window);
