// normals-snapshot: writes frames of the viewer as PNG files, drawn with the viewer's own
// start-up and frame code, on the current X display or on a virtual one it starts itself.
#include <X11/Xlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "app/startup.h"
#include "app/viewer_state.h"
#include "command_line.h"
#include "capture.h"
#include "png_file.h"

namespace {

const char* const kProgram = "normals-snapshot";
const char* const kUsage =
    "usage: normals-snapshot [--surface K | --all] [--phase P | --at-rest] [--out FILE_OR_DIR]";
// Set in the environment of the copy of this program that runs on a virtual display.
const char* const kVirtualMark = "NORMALS_SNAPSHOT_ON_XVFB";

struct Options {
  int surface = -1;  // -1: all six
  bool animate = false;
  float phase = 0.0f;
  std::string out;
};

bool isDirectory(const std::string& path) {
  struct stat s;
  return stat(path.c_str(), &s) == 0 && S_ISDIR(s.st_mode);
}

Options parse(int argc, char** argv) {
  Options o;
  bool all = false, atRest = false, phase = false;
  CommandLine args(kProgram, kUsage, argc, argv);
  while (args.next()) {
    if (args.option() == "--all") {
      all = true;
    } else if (args.option() == "--at-rest") {
      atRest = true;
    } else if (args.option() == "--surface") {
      const std::string k = args.value();
      if (k.size() != 1 || k[0] < '0' || k[0] > '5') {
        args.fail("--surface takes a number from 0 to 5, not '" + k + "'");
      }
      o.surface = k[0] - '0';
    } else if (args.option() == "--phase") {
      phase = true;
      o.animate = true;
      o.phase = static_cast<float>(args.number(args.value(), 0, 1));
    } else if (args.option() == "--out") {
      o.out = args.value();
      if (o.out.empty()) args.fail("--out needs a file or folder name");
    } else {
      args.unknown();
    }
  }
  if (all && o.surface >= 0) args.fail("--surface and --all exclude each other");
  if (atRest && phase) args.fail("--phase and --at-rest exclude each other");
  return o;
}

// The files to write, one per surface; checks that their folder can be written.
std::vector<std::pair<unsigned, std::string>> targets(const Options& o) {
  std::string folder = o.out.empty() ? "." : o.out;
  std::string file;
  // One surface and a name ending in .png: that file. Otherwise a folder, made if missing.
  const bool pngName = o.out.size() > 4 && o.out.compare(o.out.size() - 4, 4, ".png") == 0;
  if (o.surface >= 0 && pngName && !isDirectory(o.out)) {
    const size_t slash = o.out.rfind('/');
    folder = slash == std::string::npos ? "." : o.out.substr(0, slash + 1);
    file = o.out;
  } else if (!isDirectory(folder) && mkdir(folder.c_str(), 0777) != 0) {
    failUsage(kProgram, "cannot create the folder " + folder + ": " + std::strerror(errno));
  }
  if (!isDirectory(folder)) failUsage(kProgram, "no such folder: " + folder);
  if (access(folder.c_str(), W_OK) != 0) {
    failUsage(kProgram, "cannot write into " + folder + ": " + std::strerror(errno));
  }
  std::vector<std::pair<unsigned, std::string>> out;
  for (unsigned k = 0; k < kSurfaceCount; ++k) {
    if (o.surface >= 0 && k != static_cast<unsigned>(o.surface)) continue;
    const std::string sep = folder.back() == '/' ? "" : "/";
    out.push_back(
        {k, file.empty() ? folder + sep + "surface-" + std::to_string(k) + ".png" : file});
  }
  return out;
}

// Makes sure there is a display to draw on: the current one, or a virtual one this program
// re-runs itself on. The connection it returns is to stay open until the toolkit has its own:
// a server whose last client leaves resets, and refuses connections meanwhile.
Display* ensureDisplay(char** argv) {
  if (Display* d = XOpenDisplay(nullptr)) {
    std::cout << "Drawing on display " << DisplayString(d) << ".\n";
    return d;
  }
  if (std::getenv(kVirtualMark) != nullptr) {
    std::cerr << "normals-snapshot: cannot open the virtual display\n";
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
    std::cerr << "normals-snapshot: cannot find its own program file\n";
    std::exit(1);
  }
  self[n] = '\0';
  for (char* a : {xvfbRun, all, server, screen, self}) args.push_back(a);
  for (char** a = argv + 1; *a != nullptr; ++a) args.push_back(*a);
  args.push_back(nullptr);
  execvp(args[0], args.data());
  std::cerr << "normals-snapshot: no X display, and xvfb-run cannot be started: "
            << std::strerror(errno) << "\n";
  std::exit(1);
}

}  // namespace

int main(int argc, char** argv) {
  const Options options = parse(argc, argv);
  const auto files = targets(options);
  Display* probe = ensureDisplay(argv);

  // The toolkit gets no arguments of ours.
  startViewer(kProgram);
  XCloseDisplay(probe);

  viewerState.animate = options.animate;
  viewerState.phase = options.phase;
  for (const auto& [surface, path] : files) {
    viewerState.surfaceIndex = surface;
    const std::string error = writePng(readFrame(), path);
    if (!error.empty()) {
      std::cerr << "normals-snapshot: " << error << "\n";
      return 2;
    }
    std::cout << "Wrote " << path << "\n";
  }
  return 0;
}
