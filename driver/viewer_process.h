// The real `normals` program as a user meets it: started as a child process on $DISPLAY,
// driven with key presses through the X server (XTest), seen through the X server. Every wait
// polls for the condition it expects, up to a deadline, so a loaded machine only makes it
// slower.
#pragma once

#include <X11/Xlib.h>
#include <sys/types.h>

#include <functional>
#include <string>
#include <vector>

#include "image.h"

// Long enough for a sanitizer build on a loaded machine; a pass takes milliseconds.
constexpr double kDeadline = 30;

class ViewerProcess {
 public:
  // Starts the program with these arguments, behind `wrapper` (a command such as valgrind
  // with its options) when one is given; its standard error goes to a file.
  explicit ViewerProcess(const std::vector<std::string>& args = {},
                         const std::vector<std::string>& wrapper = {});
  ~ViewerProcess();
  ViewerProcess(const ViewerProcess&) = delete;
  ViewerProcess& operator=(const ViewerProcess&) = delete;

  // The program's window once it is viewable and has shown a frame, or 0 after `seconds`.
  Window waitForWindow(double seconds = kDeadline);
  Display* display() const { return display_; }
  pid_t pid() const { return pid_; }
  Window window() const { return window_; }

  // Presses and releases the key of this keysym; the program sees it at its next event.
  void press(KeySym key);
  // The window's contents as the X server holds them.
  Image screenshot() const;
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
  // Position of the window's top-left corner on the screen, and its size.
  void geometry(int* x, int* y, int* width, int* height) const;
  std::string title() const;
  // Asks the window to close, as a window manager does.
  void requestClose();

  // The exit status, or -1 if the process is still running after `seconds`; a death by
  // signal gives 128 + the signal number.
  int waitForExit(double seconds = kDeadline);
  bool running();
  // What the program wrote to its standard error.
  std::string errors() const;

 private:
  pid_t pid_ = -1;
  int status_ = -1;
  std::string errorPath_;
  Display* display_ = nullptr;
  Window window_ = 0;
};

// Pauses the caller for `seconds`.
void sleepFor(double seconds);

// Calls `condition` every few milliseconds until it holds; false after `seconds`.
bool pollUntil(const std::function<bool()>& condition, double seconds);
