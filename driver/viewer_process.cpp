#include "viewer_process.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "app/startup.h"

extern char** environ;

void sleepFor(double seconds) {
  std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

bool pollUntil(const std::function<bool()>& condition, double seconds) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    sleepFor(0.005);
  }
  return true;
}

namespace {
// A window that goes away or off the screen while it is looked at is the program's business,
// not a reason to end the observer: such requests simply come back empty.
int ignoreError(Display*, XErrorEvent*) { return 0; }

bool hasPid(Display* display, Window w, pid_t pid) {
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
    if (count == 1) same = static_cast<pid_t>(*reinterpret_cast<unsigned long*>(data)) == pid;
    XFree(data);
  }
  return same;
}

Window findWindow(Display* display, pid_t pid) {
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
      if (std::string(name) == kWindowTitle && hasPid(display, children[i], pid) &&
          XGetWindowAttributes(display, children[i], &attributes) &&
          attributes.map_state == IsViewable) {
        found = children[i];
      }
      XFree(name);
    }
  }
  if (children != nullptr) XFree(children);
  return found;
}

// More than one colour: a frame has been drawn.
bool hasAFrame(const Image& shot) {
  for (std::size_t i = 3; i < shot.rgb.size(); ++i) {
    if (shot.rgb[i] != shot.rgb[i % 3]) return true;
  }
  return false;
}

}  // namespace

ViewerProcess::ViewerProcess(const std::vector<std::string>& args,
                             const std::vector<std::string>& wrapper) {
  XSetErrorHandler(ignoreError);
  display_ = XOpenDisplay(nullptr);
  if (display_ == nullptr) throw std::runtime_error("cannot open the X display");
  char path[] = "/tmp/normals-stderr-XXXXXX";
  const int fd = mkstemp(path);
  if (fd < 0) throw std::runtime_error("cannot create a file for standard error");
  errorPath_ = path;

  std::vector<std::string> all = wrapper;
  all.push_back(NORMALS_PROGRAM);
  all.insert(all.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& a : all) argv.push_back(a.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fd, STDERR_FILENO);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  const int failed = posix_spawnp(&pid_, all[0].c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(fd);
  if (failed != 0) throw std::runtime_error("cannot start " + all[0]);
}

ViewerProcess::~ViewerProcess() {
  if (running()) {
    kill(pid_, SIGKILL);
    waitForExit(5);
  }
  if (display_ != nullptr) XCloseDisplay(display_);
  std::remove(errorPath_.c_str());
}

bool ViewerProcess::running() {
  if (status_ >= 0) return false;
  int status = 0;
  if (waitpid(pid_, &status, WNOHANG) != pid_) return true;
  status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return false;
}

int ViewerProcess::waitForExit(double seconds) {
  pollUntil([this] { return !running(); }, seconds);
  return running() ? -1 : status_;
}

std::string ViewerProcess::errors() const {
  std::ifstream in(errorPath_);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

Window ViewerProcess::waitForWindow(double seconds) {
  pollUntil([&] { return !running() || (window_ = findWindow(display_, pid_)) != 0; }, seconds);
  if (window_ == 0) return 0;
  return waitForPicture(hasAFrame, seconds) ? window_ : 0;
}

void ViewerProcess::press(KeySym key) {
  XSetInputFocus(display_, window_, RevertToParent, CurrentTime);
  const KeyCode code = XKeysymToKeycode(display_, key);
  XTestFakeKeyEvent(display_, code, True, CurrentTime);
  XTestFakeKeyEvent(display_, code, False, CurrentTime);
  XSync(display_, False);
}

Image ViewerProcess::screenshot() const {
  XWindowAttributes attributes;
  Image image;
  if (!XGetWindowAttributes(display_, window_, &attributes)) return image;
  XImage* x =
      XGetImage(display_, window_, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
  if (x == nullptr) return image;
  image.width = attributes.width;
  image.height = attributes.height;
  image.rgb.reserve(3 * static_cast<std::size_t>(image.width) * image.height);
  for (int y = 0; y < image.height; ++y) {
    for (int px = 0; px < image.width; ++px) {
      const unsigned long p = XGetPixel(x, px, y);
      image.rgb.push_back(static_cast<unsigned char>((p & x->red_mask) >> 16));
      image.rgb.push_back(static_cast<unsigned char>((p & x->green_mask) >> 8));
      image.rgb.push_back(static_cast<unsigned char>(p & x->blue_mask));
    }
  }
  XDestroyImage(x);
  return image;
}

bool ViewerProcess::waitForPicture(const std::function<bool(const Image&)>& condition,
                                   double seconds, Image* seen) const {
  Image shot;
  const bool held = pollUntil(
      [&] {
        shot = screenshot();
        return condition(shot);
      },
      seconds);
  if (seen != nullptr) *seen = shot;
  return held;
}

Image ViewerProcess::waitForStillPicture(double seconds) const {
  // Still for a quarter of a second and five looks: an animated viewer draws many frames in
  // that time even on a loaded machine, and two of them are never the same five times over.
  using Clock = std::chrono::steady_clock;
  Image last;
  int same = 0;
  Clock::time_point since = Clock::now();
  const bool still = waitForPicture(
      [&](const Image& shot) {
        if (shot.rgb != last.rgb) {
          last = shot;
          same = 0;
          since = Clock::now();
          return false;
        }
        return ++same >= 5 && Clock::now() - since >= std::chrono::milliseconds(250);
      },
      seconds);
  return still ? last : Image{};
}

bool ViewerProcess::resize(int width, int height) {
  XResizeWindow(display_, window_, static_cast<unsigned>(width), static_cast<unsigned>(height));
  XSync(display_, False);
  return pollUntil(
      [&] {
        int x, y, w, h;
        geometry(&x, &y, &w, &h);
        return w == width && h == height;
      },
      kDeadline);
}

bool ViewerProcess::setMapped(bool mapped) {
  if (mapped) {
    XMapWindow(display_, window_);
  } else {
    XUnmapWindow(display_, window_);
  }
  XSync(display_, False);
  return pollUntil(
      [&] {
        XWindowAttributes attributes;
        return XGetWindowAttributes(display_, window_, &attributes) &&
               (attributes.map_state == IsViewable) == mapped;
      },
      kDeadline);
}

void ViewerProcess::geometry(int* x, int* y, int* width, int* height) const {
  XWindowAttributes attributes;
  XGetWindowAttributes(display_, window_, &attributes);
  Window child;
  XTranslateCoordinates(display_, window_, DefaultRootWindow(display_), 0, 0, x, y, &child);
  *width = attributes.width;
  *height = attributes.height;
}

std::string ViewerProcess::title() const {
  char* name = nullptr;
  std::string title;
  if (XFetchName(display_, window_, &name) && name != nullptr) {
    title = name;
    XFree(name);
  }
  return title;
}

void ViewerProcess::requestClose() {
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window_;
  event.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display_, window_, False, NoEventMask, &event);
  XFlush(display_);
}
