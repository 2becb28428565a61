#include "snapshot_options.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "app/handlers.h"
#include "app/viewer_state.h"
#include "geometry/cell.h"
#include "command_line.h"
#include "explorer/view.h"
#include "icon.h"

namespace {

std::string usage() {
  const std::string program = kSnapshotProgram;
  return "usage: " + program +
          " [SURFACES] [--phase P | --at-rest] [--icon N] [--eye X,Y,Z] [--normals LINES]\n"
         "         [--inspect ROW,COLUMN] [--out FILE_OR_DIR]\n"
         "       " +
         program +
         " --animation [--every N] [SURFACES] [--eye X,Y,Z] [--out FILE_OR_DIR]\n"
         "       " +
         program +
         " --obj [SURFACES] [--phase P | --at-rest] [--out FILE_OR_DIR]\n"
         "       " +
         program +
         " --help | --version\n"
         "Writes frames of the normals viewer as PNG files, by default all six surfaces at rest\n"
         "as surface-0.png ... surface-5.png in the current folder.\n"
         "SURFACES: --all (every surface, the default), --surface K (surface K, 0 to 5), or a\n"
         "surface of one's own: --x F --y F --z F, its coordinates as formulas in u, v and t\n"
         "(the phase while the animation runs, 0 at rest), written as formula.png, .gif or .obj\n"
         "  --phase P     the animation on, held at phase P (0 to 1); --at-rest: off (the "
         "default)\n"
         "  --icon N      an N x N icon (16 to 256): the middle of the frame, averaged down\n"
         "  --animation   one oscillation as an animated GIF per surface (surface-K.gif)\n"
         "  --every N     keep a frame every N of the 300 idle steps (1 to 300, default 10)\n"
         "  --obj         the cells as a Wavefront OBJ file per surface (surface-K.obj): corners,\n"
         "                faces with their normals, and the red lines; no display needed\n"
         "  --eye X,Y,Z   the pictures seen from (X, Y, Z), looking at the origin with Y up\n"
         "                (the viewer's own: 10,10,10)\n"
         "  --normals L   the normal lines of every cell: facet (the viewer's red lines, the\n"
         "                default), surface (the surface's own normals, teal) or both\n"
         "  --inspect R,C mark the cell in row R and column C (0 to 20) with its e1, e2, n and\n"
         "                N, and print its numbers as JSON on standard output\n"
         "  --out F       the file (one surface, ending .png, .gif or .obj) or folder to write "
         "into\n"
         "It draws on the X display in DISPLAY, or on a virtual one (Xvfb) it starts itself.\n"
         "Exit status: 0 written, 1 no display could be had, 2 a bad argument or a failed "
         "write.";
}

bool isDirectory(const std::string& path) {
  struct stat s;
  return stat(path.c_str(), &s) == 0 && S_ISDIR(s.st_mode);
}

// Three numbers separated by commas, all finite, into `eye`; or why not.
std::string readEye(const std::string& text, double eye[3]) {
  std::size_t start = 0;
  for (int k = 0; k < 3; ++k) {
    const std::size_t end = text.find(',', start);
    if ((end == std::string::npos) != (k == 2)) return "--eye takes three numbers: X,Y,Z";
    const std::string word = text.substr(start, end == std::string::npos ? end : end - start);
    char* rest = nullptr;
    eye[k] = std::strtod(word.c_str(), &rest);
    if (word.empty() || *rest != '\0' || std::isspace(static_cast<unsigned char>(word[0]))) {
      return "--eye: '" + word + "' is not a number";
    }
    if (!std::isfinite(eye[k])) return "--eye: '" + word + "' is not a finite number";
    start = end + 1;
  }
  // Looking at the origin with Y up: neither from the origin itself nor from straight above or
  // below it, where Y up is the line of sight.
  if (eye[0] == 0 && eye[2] == 0) {
    return eye[1] == 0 ? "--eye: the eye cannot be at the origin it looks at"
                       : "--eye: straight above or below the origin, Y cannot be up";
  }
  // No nearer the vertical than the page's view comes.
  const double latitude = std::atan2(std::fabs(eye[1]), std::hypot(eye[0], eye[2])) / kDegree;
  if (latitude > kLatitudeLimit) {
    return "--eye: " + std::to_string(latitude).substr(0, 5) + " degrees from the horizon; " +
           "the view comes no nearer the vertical than " +
           std::to_string(static_cast<int>(kLatitudeLimit));
  }
  return "";
}

// The row and column of a cell, each within the grid, into `cell`; or why not.
std::string readCell(const CommandLine& args, const std::string& text, int cell[2]) {
  const std::size_t comma = text.find(',');
  if (comma == std::string::npos) return "--inspect takes a row and a column: ROW,COLUMN";
  const std::string words[2] = {text.substr(0, comma), text.substr(comma + 1)};
  for (int k = 0; k < 2; ++k) cell[k] = args.integer(words[k], 0, kGridSize - 1);
  return "";
}

bool endsWith(const std::string& text, const std::string& end) {
  return text.size() > end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

SnapshotOptions parseSnapshotOptions(int argc, char** argv) {
  SnapshotOptions o;
  bool all = false, atRest = false, phase = false, every = false;
  CommandLine args(kSnapshotProgram, usage(), argc, argv, NORMALS_VERSION);
  while (args.next()) {
    if (args.option() == "--all") {
      all = true;
    } else if (args.option() == "--at-rest") {
      atRest = true;
    } else if (args.option() == "--animation") {
      o.gif = true;
    } else if (args.option() == "--obj") {
      o.obj = true;
    } else if (args.option() == "--surface") {
      o.surface = args.integer(args.value(), 0, kSurfaceCount - 1);
    } else if (args.option() == "--x" || args.option() == "--y" || args.option() == "--z") {
      std::string& formula = o.formula[args.option()[2] - 'x'];
      if (!formula.empty()) args.fail(args.option() + " is given twice");
      formula = args.value();
      if (formula.empty()) args.fail(args.option() + " needs a formula");
    } else if (args.option() == "--phase") {
      phase = true;
      o.fixedPhase = true;
      o.phase = static_cast<float>(args.number(args.value(), 0, 1));
    } else if (args.option() == "--every") {
      every = true;
      o.every = args.integer(args.value(), 1, kIdleCallsPerSwing);
    } else if (args.option() == "--icon") {
      o.icon = args.integer(args.value(), kSmallestIcon, kIconSource);
    } else if (args.option() == "--eye") {
      const std::string error = readEye(args.value(), o.eye);
      if (!error.empty()) args.fail(error);
      o.otherEye = true;
    } else if (args.option() == "--inspect") {
      const std::string error = readCell(args, args.value(), o.inspect);
      if (!error.empty()) args.fail(error);
    } else if (args.option() == "--normals") {
      const std::string lines = args.value();
      if (lines != "facet" && lines != "surface" && lines != "both") {
        args.fail("--normals takes facet, surface or both, not '" + lines + "'");
      }
      o.normals = lines == "facet"     ? NormalLines::kFacet
                  : lines == "surface" ? NormalLines::kSurface
                                       : NormalLines::kBoth;
    } else if (args.option() == "--out") {
      o.out = args.value();
      if (o.out.empty()) args.fail("--out needs a file or folder name");
    } else {
      args.unknown();
    }
  }
  if (all && o.surface >= 0) args.fail("--surface and --all exclude each other");
  if (o.own() && (all || o.surface >= 0)) {
    args.fail("a surface of one's own (--x, --y, --z) goes without --surface or --all");
  }
  if (o.own() && (o.formula[0].empty() || o.formula[1].empty() || o.formula[2].empty())) {
    args.fail("a surface of one's own needs all three of --x, --y and --z");
  }
  if (atRest && phase) args.fail("--phase and --at-rest exclude each other");
  if (o.gif && (atRest || phase))
    args.fail("--animation shows every phase: no --phase or --at-rest");
  if (every && !o.gif) args.fail("--every belongs to --animation");
  if (o.gif && o.icon > 0) args.fail("--icon is a still picture: no --animation");
  if (o.obj && (o.gif || o.icon > 0))
    args.fail("--obj writes cells, not pictures: no --animation or --icon");
  if (o.obj && o.otherEye) args.fail("--obj writes cells, seen from nowhere: no --eye");
  if (o.inspect[0] >= 0 && !(o.surface >= 0 || o.own())) {
    args.fail("--inspect looks into one surface: --surface K, or --x --y --z");
  }
  if (o.inspect[0] >= 0 && (o.gif || o.obj)) {
    args.fail("--inspect marks a still picture: no --animation or --obj");
  }
  if (o.obj && o.normals != NormalLines::kFacet) {
    args.fail("--normals chooses the lines drawn: no --obj");
  }
  return o;
}

std::vector<std::pair<unsigned, std::string>> snapshotTargets(const SnapshotOptions& o) {
  const std::string extension = o.obj ? ".obj" : o.gif ? ".gif" : ".png";
  std::string folder = o.out.empty() ? "." : o.out;
  std::string file;
  // One surface and a name with the right ending: that file. Otherwise a folder, made if
  // missing.
  const bool one = o.surface >= 0 || o.own();
  if (one && endsWith(o.out, extension) && !isDirectory(o.out)) {
    const std::size_t slash = o.out.rfind('/');
    folder = slash == std::string::npos ? "." : o.out.substr(0, slash + 1);
    file = o.out;
  } else if (!isDirectory(folder) && mkdir(folder.c_str(), 0777) != 0) {
    failUsage(kSnapshotProgram, "cannot create the folder " + folder + ": " + std::strerror(errno));
  }
  if (!isDirectory(folder)) failUsage(kSnapshotProgram, "no such folder: " + folder);
  if (access(folder.c_str(), W_OK) != 0) {
    failUsage(kSnapshotProgram, "cannot write into " + folder + ": " + std::strerror(errno));
  }
  std::vector<std::pair<unsigned, std::string>> out;
  const std::string separator = folder.back() == '/' ? "" : "/";
  if (o.own())
    return {{kSurfaceCount, file.empty() ? folder + separator + "formula" + extension : file}};
  for (unsigned k = 0; k < kSurfaceCount; ++k) {
    if (o.surface >= 0 && k != static_cast<unsigned>(o.surface)) continue;
    out.push_back(
        {k, file.empty() ? folder + separator + "surface-" + std::to_string(k) + extension : file});
  }
  return out;
}
