// The real `normals` program as a user meets it: started as a child process on $DISPLAY,
// driven with key presses through the X server (XTest), seen through the X server.
#pragma once

#include <X11/Xlib.h>
#include <sys/types.h>

#include <string>
#include <vector>

#include "image.h"

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
  Window waitForWindow(double seconds = 20);
  Display* display() const { return display_; }
  pid_t pid() const { return pid_; }
  Window window() const { return window_; }

  // Presses and releases the key of this keysym, then leaves the program `settle` seconds.
  void press(KeySym key, double settle = 0.3);
  // The window's contents as the X server holds them.
  Image screenshot() const;
  // Position of the window's top-left corner on the screen, and its size.
  void geometry(int* x, int* y, int* width, int* height) const;
  std::string title() const;
  // Asks the window to close, as a window manager does.
  void requestClose();

  // The exit status, or -1 if the process is still running after `seconds`; a death by
  // signal gives 128 + the signal number.
  int waitForExit(double seconds);
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
