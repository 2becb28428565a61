// normals-snapshot: writes frames of the viewer as PNG files, or one oscillation of its
// animation as animated GIFs, drawn with the viewer's own start-up, handlers and frame code,
// on the current X display or on a virtual one it starts itself; or the cells themselves as
// Wavefront OBJ files, which need no display.
#include <X11/Xlib.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "app/handlers.h"
#include "app/startup.h"
#include "app/viewer_state.h"
#include "atomic_file.h"
#include "capture.h"
#include "gif_file.h"
#include "icon.h"
#include "obj/obj_file.h"
#include "png_file.h"
#include "render/frame.h"
#include "snapshot_options.h"

namespace {

// Set in the environment of the copy of this program that runs on a virtual display.
const char* const kVirtualMark = "NORMALS_SNAPSHOT_ON_XVFB";

// Makes sure there is a display to draw on: the current one, or a virtual one this program
// re-runs itself on. The connection it returns is to stay open until the toolkit has its own:
// a server whose last client leaves resets, and refuses connections meanwhile.
Display* ensureDisplay(char** argv) {
  if (Display* d = XOpenDisplay(nullptr)) {
    std::cout << "Drawing on display " << DisplayString(d) << ".\n";
    return d;
  }
  if (std::getenv(kVirtualMark) != nullptr) {
    std::cerr << kSnapshotProgram << ": cannot open the virtual display\n";
    std::exit(1);
  }
  std::cout << "No X display is reachable: drawing on a virtual display (Xvfb)." << std::endl;
  setenv(kVirtualMark, "1", 1);
  std::vector<char*> args;
  static char xvfbRun[] = "xvfb-run", all[] = "-a", server[] = "-s",
              screen[] = "-screen 0 1280x1024x24";
  static char self[4096];
  const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
  if (n <= 0) {
    std::cerr << kSnapshotProgram << ": cannot find its own program file\n";
    std::exit(1);
  }
  self[n] = '\0';
  for (char* a : {xvfbRun, all, server, screen, self}) args.push_back(a);
  for (char** a = argv + 1; *a != nullptr; ++a) args.push_back(*a);
  args.push_back(nullptr);
  execvp(args[0], args.data());
  std::cerr << kSnapshotProgram
            << ": no X display, and xvfb-run cannot be started: " << std::strerror(errno) << "\n";
  std::exit(1);
}

// One oscillation of surface `surface`'s animation, as the running viewer shows it: the idle
// handler advances the clock from the start, and every `every` calls a frame is kept, noted
// with its phase (nine digits: the exact single-precision value).
Animation oscillation(unsigned surface, int every) {
  viewerState = ViewerState{};
  viewerState.surfaceIndex = surface;
  Animation animation;
  animation.delayCentiseconds = kGifDelayCentiseconds;
  for (int frame = 0; frame < kIdleCallsPerSwing / every; ++frame) {
    for (int call = 0; call < every; ++call) onIdle();
    animation.frames.push_back(readFrame());
    char note[32];
    std::snprintf(note, sizeof note, "phase %.9g", static_cast<double>(viewerState.phase));
    animation.notes.push_back(note);
  }
  return animation;
}

// The cells of `surface` as the frame at the options' phase draws them, as an OBJ file.
std::string writeObj(unsigned surface, const SnapshotOptions& options, const std::string& path) {
  viewerState.animate = options.fixedPhase;
  viewerState.phase = options.phase;
  const std::string text =
      cellsAsObj([surface](double u, double uNext, double v,
                           double vNext) { return cellAt(surface, u, uNext, v, vNext); },
                 {NORMALS_VERSION, kCaptions[surface], options.fixedPhase, options.phase});
  return writeAtomically(path, [&text, &path](std::FILE* file) {
    return std::fwrite(text.data(), 1, text.size(), file) == text.size()
               ? std::string()
               : "cannot write " + path + ": " + std::strerror(errno);
  });
}

}  // namespace

int main(int argc, char** argv) {
  const SnapshotOptions options = parseSnapshotOptions(argc, argv);
  const auto files = snapshotTargets(options);
  if (!options.obj) {
    Display* probe = ensureDisplay(argv);
    // The toolkit gets no arguments of ours.
    startViewer(kSnapshotProgram);
    XCloseDisplay(probe);
  }

  for (const auto& [surface, path] : files) {
    std::string error;
    if (options.obj) {
      error = writeObj(surface, options, path);
    } else if (options.gif) {
      error = writeGif(oscillation(surface, options.every), path);
    } else {
      viewerState.surfaceIndex = surface;
      viewerState.animate = options.fixedPhase;
      viewerState.phase = options.phase;
      const Image frame = readFrame();
      error = writePng(options.icon > 0 ? iconFromFrame(frame, options.icon) : frame, path);
    }
    if (!error.empty()) {
      std::cerr << kSnapshotProgram << ": " << error << "\n";
      return 2;
    }
    std::cout << "Wrote " << path << "\n";
  }
  return 0;
}
