// X errors caught and said, request by request, rather than ending the program.
#pragma once

#include <X11/Xlib.h>

#include <string>

// Catches the X errors of the requests made while it lives, in place of Xlib's default
// handler, which ends the program; the handler before it is put back when it goes.
class XErrorTrap {
 public:
  explicit XErrorTrap(Display* display);
  ~XErrorTrap();
  XErrorTrap(const XErrorTrap&) = delete;
  XErrorTrap& operator=(const XErrorTrap&) = delete;
  // After the requests reached the server: the first error's text, or "" when none came.
  std::string error();
  // Throws with `what` and the first error's text, if one came.
  void check(const std::string& what);

 private:
  Display* display_;
  int (*previous_)(Display*, XErrorEvent*);
};
