// The real `normals` program as a user meets it: started as a child process on $DISPLAY,
// driven with key presses through the X server (XTest), seen through the X server. Every wait
// polls for the condition it expects, up to a deadline, so a loaded machine only makes it
// slower; a request the X server refuses throws, with its reason.
#pragma once

#include <X11/Xlib.h>
#include <sys/types.h>

#include <functional>
#include <string>
#include <vector>

#include "child_process.h"
#include "image.h"
#include "polling.h"
#include "x_window.h"

class ViewerProcess {
 public:
  // Starts the program with these arguments, behind `wrapper` (a command such as valgrind
  // with its options) when one is given.
  explicit ViewerProcess(const std::vector<std::string>& args = {},
                         const std::vector<std::string>& wrapper = {});
  ~ViewerProcess();
  ViewerProcess(const ViewerProcess&) = delete;
  ViewerProcess& operator=(const ViewerProcess&) = delete;

  // The program's window once it is viewable and has shown a frame, or 0 after `seconds`.
  Window waitForWindow(double seconds = kDeadline);
  Display* display() const { return display_; }
  pid_t pid() const { return child_.pid(); }
  Window window() const { return window_; }

  // Presses and releases the key of this keysym; the program sees it at its next event.
  void press(KeySym key) { pressKey(display_, window_, key); }
  // The window's contents as the X server holds them.
  Image screenshot() const { return readWindow(display_, window_); }
  // Polls the window's contents until `condition` holds; false after `seconds`. The last
  // picture seen is left in `seen` when given.
  bool waitForPicture(const std::function<bool(const Image&)>& condition,
                      double seconds = kDeadline, Image* seen = nullptr) const;
  // The picture once it has stopped changing (the animation is off and every key pressed has
  // been handled), or an empty image after `seconds`.
  Image waitForStillPicture(double seconds = kDeadline) const;
  // Resizes the window and waits until the server reports the new size.
  bool resize(int width, int height);
  // Unmaps or maps the window and waits until the server reports it.
  bool setMapped(bool mapped);
  WindowGeometry geometry() const { return windowGeometry(display_, window_); }
  std::string title() const { return windowTitle(display_, window_); }
  // Asks the window to close, as a window manager does.
  void requestClose() { ::requestClose(display_, window_); }

  // The exit status, or -1 if the process is still running after `seconds`; a death by
  // signal gives 128 + the signal number.
  int waitForExit(double seconds = kDeadline) { return child_.waitForExit(seconds); }
  bool running() { return child_.running(); }
  // What the program wrote to its standard error.
  std::string errors() const { return child_.errors(); }

 private:
  Display* display_;  // opened before the child starts, so a failure leaves nothing running
  ChildProcess child_;
  Window window_ = 0;
};
