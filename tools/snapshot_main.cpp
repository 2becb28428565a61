// normals-snapshot: writes frames of the viewer as PNG files, or one oscillation of its
// animation as animated GIFs, drawn with the viewer's own start-up, handlers and frame code,
// on the current X display or on a virtual one it starts itself; or the cells themselves as
// Wavefront OBJ files, which need no display. Of the six surfaces, or of one of one's own.
#include <X11/Xlib.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "app/startup.h"
#include "atomic_file.h"
#include "formula/formula_surface.h"
#include "icon.h"
#include "obj/stl_file.h"
#include "png_file.h"
#include "snapshot_options.h"
#include "snapshot_subject.h"

namespace {

// Set in the environment of the copy of this program that runs on a virtual display.
const char* const kVirtualMark = "NORMALS_SNAPSHOT_ON_XVFB";

// Makes sure there is a display to draw on: the current one, or a virtual one this program
// re-runs itself on. The connection it returns is to stay open until the toolkit has its own:
// a server whose last client leaves resets, and refuses connections meanwhile.
Display* ensureDisplay(char** argv, std::ostream& progress) {
  if (Display* d = XOpenDisplay(nullptr)) {
    progress << "Drawing on display " << DisplayString(d) << ".\n";
    return d;
  }
  if (std::getenv(kVirtualMark) != nullptr) {
    std::cerr << kSnapshotProgram << ": cannot open the virtual display\n";
    std::exit(1);
  }
  progress << "No X display is reachable: drawing on a virtual display (Xvfb)." << std::endl;
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

// Writes `text` as the file `path`, whole or not at all.
std::string writeText(const std::string& text, const std::string& path) {
  return writeAtomically(path, [&text, &path](std::FILE* file) {
    return std::fwrite(text.data(), 1, text.size(), file) == text.size()
               ? std::string()
               : "cannot write " + path + ": " + std::strerror(errno);
  });
}

// What `options` ask to draw or write of `surface` (or of `typed`, a surface of one's own).
Subject subjectOf(const SnapshotOptions& options, unsigned surface, FormulaSurface* typed) {
  Subject subject;
  subject.surface = surface;
  subject.typed = typed;
  subject.animate = options.fixedPhase;
  subject.phase = options.phase;
  subject.normals = options.normals;
  subject.facet = options.facet;
  subject.shading = options.shading;
  subject.inspect[0] = options.inspect[0];
  subject.inspect[1] = options.inspect[1];
  subject.grid = options.grid();
  if (options.otherEye) {
    subject.camera = {{options.eye[0], options.eye[1], options.eye[2]},
                      {kCentre[0], kCentre[1], kCentre[2]},
                      {kUp[0], kUp[1], kUp[2]}};
  }
  subject.fit = options.fit;
  return subject;
}

// Writes what `options` ask of `subject` as the file `path`, then says what it did and what it
// left out; false, said, when the file cannot be written.
bool writeOne(const SnapshotOptions& options, const Subject& subject, const std::string& path,
              std::ostream& progress) {
  std::string error;
  int leftOut = 0;
  StlCounts stl;
  if (options.stl) {
    error = writeText(cellsStl(subject, &stl), path);
    leftOut = stl.undefined;
  } else if (options.obj) {
    error = writeText(cellsText(subject, &leftOut), path);
  } else if (options.gif) {
    error = writeGif(oscillation(subject, options.every, &leftOut), path);
  } else {
    const Image frame = stillFrame(subject, &leftOut);
    error = writePng(options.icon > 0 ? iconFromFrame(frame, options.icon) : frame, path);
  }
  if (!error.empty()) {
    std::cerr << kSnapshotProgram << ": " << error << "\n";
    return false;
  }
  progress << "Wrote " << path << "\n";
  // With a cell's numbers on standard output, what is done goes to standard error.
  if (options.inspect[0] >= 0) std::cout << inspectionText(subject) << std::endl;
  if (options.convergence) progress << path << ": " << convergenceText(subject) << "\n";
  const int cells = subject.grid.cellCount();
  if (leftOut > 0) {
    std::cerr << kSnapshotProgram << ": " << leftOut << " of " << cells
              << " cells are undefined and not " << (options.cellsOnly() ? "written" : "drawn")
              << (options.gif ? " in some frames" : "") << "\n";
  }
  if (stl.degenerate > 0) {
    std::cerr << kSnapshotProgram << ": " << stl.degenerate << " of " << cells
              << " cells are degenerate (two of their corners meet) and not written\n";
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  const SnapshotOptions options = parseSnapshotOptions(argc, argv);
  // A surface of one's own is parsed before anything else: a bad formula writes nothing.
  std::unique_ptr<FormulaSurface> typed;
  if (options.typed()) {
    FormulaError error;
    const auto& f = options.formula;
    typed = FormulaSurface::parse(f[0], f[1], f[2], &error);
    if (typed == nullptr) {
      std::cerr << kSnapshotProgram << ": " << error.message << "\n";
      return 2;
    }
    for (const auto& [name, value] : options.settings) {
      if (!typed->setConstant(name, value)) {
        std::cerr << kSnapshotProgram << ": --set: the formulas have no constant \"" << name
                  << "\" (see --help)\n";
        return 2;
      }
    }
  }
  const auto files = snapshotTargets(options);
  std::ostream& progress = options.inspect[0] >= 0 ? std::cerr : std::cout;
  if (!options.cellsOnly()) {
    Display* probe = ensureDisplay(argv, progress);
    // The toolkit gets no arguments of ours.
    startViewer(kSnapshotProgram);
    XCloseDisplay(probe);
  }

  for (const auto& [surface, path] : files) {
    const Subject subject = subjectOf(options, typed ? kSurfaceCount - 1 : surface, typed.get());
    if (!writeOne(options, subject, path, progress)) return 2;
  }
  return 0;
}
