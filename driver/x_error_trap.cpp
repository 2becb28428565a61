#include "x_error_trap.h"

#include <stdexcept>
#include <string>

namespace {

// Xlib calls its error handler without a context, so the one trap alive keeps its first error
// here.
XErrorEvent firstError;
bool caught = false;

int keepFirst(Display*, XErrorEvent* event) {
  if (!caught) firstError = *event;
  caught = true;
  return 0;
}

}  // namespace

XErrorTrap::XErrorTrap(Display* display) : display_(display) {
  XSync(display_, False);  // earlier requests' errors are not this trap's
  caught = false;
  previous_ = XSetErrorHandler(keepFirst);
}

XErrorTrap::~XErrorTrap() {
  XSync(display_, False);
  XSetErrorHandler(previous_);
}

std::string XErrorTrap::error() {
  XSync(display_, False);
  if (!caught) return "";
  char text[256];
  XGetErrorText(display_, firstError.error_code, text, sizeof text);
  return std::string(text) + " (request " + std::to_string(firstError.request_code) + ")";
}

void XErrorTrap::check(const std::string& what) {
  const std::string e = error();
  if (!e.empty()) throw std::runtime_error(what + ": the X server said " + e);
}
