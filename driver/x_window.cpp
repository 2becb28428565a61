#include "x_window.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <cstddef>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

#include "x_error_trap.h"

namespace {

// Whether process `p` is `ancestor` or was started by it, directly or not (Linux's /proc).
bool startedBy(pid_t p, pid_t ancestor) {
  while (p > 1 && p != ancestor) {
    std::ifstream stat("/proc/" + std::to_string(p) + "/stat");
    std::string line;
    if (!std::getline(stat, line)) return false;
    // After the command's name, which may hold anything: the state, then the parent.
    std::istringstream rest(line.substr(line.rfind(')') + 1));
    std::string state;
    rest >> state >> p;
  }
  return p == ancestor;
}

bool ownedBy(Display* display, Window w, pid_t pid) {
  const Atom netWmPid = XInternAtom(display, "_NET_WM_PID", True);
  if (netWmPid == None) return true;  // the toolkit does not say; the title must do
  Atom type;
  int format;
  unsigned long count, after;
  unsigned char* data = nullptr;
  bool same = true;
  if (XGetWindowProperty(display, w, netWmPid, 0, 1, False, XA_CARDINAL, &type, &format, &count,
                         &after, &data) == Success &&
      data != nullptr) {
    if (count == 1) {
      same = startedBy(static_cast<pid_t>(*reinterpret_cast<unsigned long*>(data)), pid);
    }
    XFree(data);
  }
  return same;
}

XWindowAttributes attributesOf(Display* display, Window window) {
  XErrorTrap trap(display);
  XWindowAttributes attributes{};
  const Status got = XGetWindowAttributes(display, window, &attributes);
  trap.check("XGetWindowAttributes");
  if (!got) throw std::runtime_error("XGetWindowAttributes failed");
  return attributes;
}

}  // namespace

unsigned char channelOf(unsigned long pixel, unsigned long mask) {
  if (mask == 0) return 0;
  int shift = 0;
  while ((mask >> shift & 1) == 0) ++shift;
  const unsigned long top = mask >> shift;  // all ones, as wide as the channel
  return static_cast<unsigned char>(((pixel & mask) >> shift) * 255 / top);
}

Window findWindow(Display* display, const std::string& title, pid_t pid) {
  XErrorTrap trap(display);
  Window root, parent, *children = nullptr;
  unsigned count = 0;
  if (!XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count)) {
    return 0;
  }
  Window found = 0;
  for (unsigned i = 0; i < count && found == 0; ++i) {
    char* name = nullptr;
    if (XFetchName(display, children[i], &name) && name != nullptr) {
      XWindowAttributes attributes;
      if (title == name && ownedBy(display, children[i], pid) &&
          XGetWindowAttributes(display, children[i], &attributes) &&
          attributes.map_state == IsViewable) {
        found = children[i];
      }
      XFree(name);
    }
  }
  if (children != nullptr) XFree(children);
  return trap.error().empty() ? found : 0;  // an error: look again at the next poll
}

WindowGeometry windowGeometry(Display* display, Window window) {
  const XWindowAttributes attributes = attributesOf(display, window);
  WindowGeometry g{0, 0, attributes.width, attributes.height};
  XErrorTrap trap(display);
  Window child;
  XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &g.x, &g.y, &child);
  trap.check("XTranslateCoordinates");
  return g;
}

bool isViewable(Display* display, Window window) {
  return attributesOf(display, window).map_state == IsViewable;
}

Image readWindow(Display* display, Window window) {
  const XWindowAttributes attributes = attributesOf(display, window);
  XErrorTrap trap(display);
  XImage* x = XGetImage(display, window, 0, 0, static_cast<unsigned>(attributes.width),
                        static_cast<unsigned>(attributes.height), AllPlanes, ZPixmap);
  trap.check("XGetImage");
  if (x == nullptr) throw std::runtime_error("XGetImage returned nothing");
  Image image;
  image.width = attributes.width;
  image.height = attributes.height;
  image.rgb.reserve(3 * static_cast<std::size_t>(image.width) * image.height);
  for (int y = 0; y < image.height; ++y) {
    for (int px = 0; px < image.width; ++px) {
      const unsigned long p = XGetPixel(x, px, y);
      image.rgb.push_back(channelOf(p, x->red_mask));
      image.rgb.push_back(channelOf(p, x->green_mask));
      image.rgb.push_back(channelOf(p, x->blue_mask));
    }
  }
  XDestroyImage(x);
  return image;
}

std::string windowTitle(Display* display, Window window) {
  XErrorTrap trap(display);
  char* name = nullptr;
  std::string title;
  if (XFetchName(display, window, &name) && name != nullptr) {
    title = name;
    XFree(name);
  }
  trap.check("XFetchName");
  return title;
}

void pressKey(Display* display, Window window, KeySym key) {
  XErrorTrap trap(display);
  XSetInputFocus(display, window, RevertToParent, CurrentTime);
  const KeyCode code = XKeysymToKeycode(display, key);
  XTestFakeKeyEvent(display, code, True, CurrentTime);
  XTestFakeKeyEvent(display, code, False, CurrentTime);
  trap.check("a key press");
}

void resizeWindow(Display* display, Window window, int width, int height) {
  XErrorTrap trap(display);
  XResizeWindow(display, window, static_cast<unsigned>(width), static_cast<unsigned>(height));
  trap.check("XResizeWindow");
}

void setWindowMapped(Display* display, Window window, bool mapped) {
  XErrorTrap trap(display);
  if (mapped) {
    XMapWindow(display, window);
  } else {
    XUnmapWindow(display, window);
  }
  trap.check(mapped ? "XMapWindow" : "XUnmapWindow");
}

void requestClose(Display* display, Window window) {
  XErrorTrap trap(display);
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, window, False, NoEventMask, &event);
  trap.check("closing the window");
}
