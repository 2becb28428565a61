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
#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>

extern char** environ;

namespace {
const char* const kTitle = "Normals: space pauses, any other key advances";
}

void sleepFor(double seconds) {
  std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
}

namespace {
// A window that goes away or off the screen while it is looked at is the program's business,
// not a reason to end the observer: such requests simply come back empty.
int ignoreError(Display*, XErrorEvent*) { return 0; }
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
  for (double t = 0; t < seconds && running(); t += 0.02) sleepFor(0.02);
  return running() ? -1 : status_;
}

namespace {

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
      if (std::string(name) == kTitle && hasPid(display, children[i], pid) &&
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

}  // namespace

Window ViewerProcess::waitForWindow(double seconds) {
  constexpr double kPoll = 0.005;
  for (double t = 0; t < seconds && window_ == 0 && running(); t += kPoll) {
    window_ = findWindow(display_, pid_);
    if (window_ == 0) sleepFor(kPoll);
  }
  if (window_ == 0) return 0;
  // The first frame has arrived once the window is more than one colour.
  for (double t = 0; t < seconds && running(); t += kPoll) {
    const Image shot = screenshot();
    for (size_t i = 3; i < shot.rgb.size(); ++i) {
      if (shot.rgb[i] != shot.rgb[i % 3]) return window_;
    }
    sleepFor(kPoll);
  }
  return window_;
}

void ViewerProcess::press(KeySym key, double settle) {
  XSetInputFocus(display_, window_, RevertToParent, CurrentTime);
  const KeyCode code = XKeysymToKeycode(display_, key);
  XTestFakeKeyEvent(display_, code, True, CurrentTime);
  XTestFakeKeyEvent(display_, code, False, CurrentTime);
  XSync(display_, False);
  sleepFor(settle);
}

Image ViewerProcess::screenshot() const {
  XWindowAttributes attributes;
  XGetWindowAttributes(display_, window_, &attributes);
  Image image;
  XImage* x =
      XGetImage(display_, window_, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
  if (x == nullptr) return image;
  image.width = attributes.width;
  image.height = attributes.height;
  image.rgb.reserve(3 * static_cast<size_t>(image.width) * image.height);
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

std::string ViewerProcess::errors() const {
  std::ifstream in(errorPath_);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}
