#include "viewer_process.h"

#include <chrono>
#include <cstddef>
#include <stdexcept>

#include "app/startup.h"

namespace {

Display* openDisplay() {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) throw std::runtime_error("cannot open the X display");
  return display;
}

std::vector<std::string> commandLine(const std::vector<std::string>& wrapper,
                                     const std::vector<std::string>& args) {
  std::vector<std::string> all = wrapper;
  all.push_back(NORMALS_PROGRAM);
  all.insert(all.end(), args.begin(), args.end());
  return all;
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
                             const std::vector<std::string>& wrapper)
    : display_(openDisplay()), child_(commandLine(wrapper, args)) {}

ViewerProcess::~ViewerProcess() { XCloseDisplay(display_); }

Window ViewerProcess::waitForWindow(double seconds) {
  pollUntil(
      [&] { return !running() || (window_ = findWindow(display_, kWindowTitle, pid())) != 0; },
      seconds);
  if (window_ == 0) return 0;
  return waitForPicture(hasAFrame, seconds) ? window_ : 0;
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
  resizeWindow(display_, window_, width, height);
  return pollUntil(
      [&] {
        const WindowGeometry g = geometry();
        return g.width == width && g.height == height;
      },
      kDeadline);
}

bool ViewerProcess::setMapped(bool mapped) {
  setWindowMapped(display_, window_, mapped);
  return pollUntil([&] { return isViewable(display_, window_) == mapped; }, kDeadline);
}
