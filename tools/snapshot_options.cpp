#include "snapshot_options.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "app/handlers.h"
#include "app/viewer_state.h"
#include "command_line.h"
#include "snapshot_values.h"
#include "icon.h"
#include "obj/obj_file.h"

namespace {

std::string usage() {
  const std::string program = kSnapshotProgram;
  return "usage: " + program +
          " [SURFACES] [GRID] [--phase P | --at-rest] [--icon N] [--eye X,Y,Z]\n"
         "         [--normals LINES] [--facet F] [--shading S] [--inspect ROW,COLUMN]\n"
         "         [--convergence] [--out FILE_OR_DIR]\n"
         "       " +
         program +
         " --animation [--every N] [SURFACES] [--eye X,Y,Z] [--facet F] [--shading S]\n"
         "         [--out FILE_OR_DIR]\n"
         "       " +
         program +
         " --obj | --stl [SURFACES] [--phase P | --at-rest] [--out FILE_OR_DIR]\n"
         "       " +
         program +
         " --help | --version\n"
         "Writes frames of the normals viewer as PNG files, by default all six surfaces at rest\n"
         "as surface-0.png ... surface-5.png in the current folder.\n"
         "SURFACES: --all (every surface, the default), --surface K (surface K, 0 to 5), or a\n"
         "surface of one's own: --x F --y F --z F, its coordinates as formulas in u, v and t\n"
         "(the phase while the animation runs, 0 at rest), written as formula.png, .gif or .obj,\n"
         "with --set NAME=VALUE for each constant it names. GRID: --cells NU[,NV], and for a\n"
         "surface of one's own --u A,B and --v C,D\n"
         "  --phase P     the animation on, held at phase P (0 to 1); --at-rest: off (the "
         "default)\n"
         "  --icon N      an N x N icon (16 to 256): the middle of the frame, averaged down\n"
         "  --animation   one oscillation as an animated GIF per surface (surface-K.gif)\n"
         "  --every N     keep a frame every N of the 300 idle steps (1 to 300, default 10)\n"
         "  --obj         the cells as a Wavefront OBJ file per surface (surface-K.obj): corners,\n"
         "                faces with their normals, and the red lines; no display needed\n"
         "  --stl         the cells as a binary STL file per surface (surface-K.stl): two\n"
         "                triangles a cell, each with its normal; degenerate cells left out\n"
         "  --eye X,Y,Z   the pictures seen from (X, Y, Z), looking at the origin with Y up\n"
         "                (the viewer's own: 10,10,10)\n"
         "  --normals L   the normal lines of every cell: facet (the viewer's red lines, the\n"
         "                default), surface (the surface's own normals, teal) or both\n"
         "  --facet F     the normal of each cell's red line and flat face: corner (the\n"
         "                viewer's, normalise(e2 x e1), the default) or diagonals\n"
         "  --shading S   flat (the viewer's, the default), smooth (each corner lit by the\n"
         "                vertex normal there) or exact (by the surface's own normal there)\n"
         "  --inspect R,C mark the cell in row R and column C (from 0) with its e1, e2, n and\n"
         "                N, and print its numbers as JSON on standard output\n"
         "  --cells NU[,NV] the cells along u and along v (1 to 100 each; 21 x 21 by default)\n"
         "  --u A,B       a surface of one's own's u from A to B (--v C,D: v), in 21 cells\n"
         "                unless --cells says otherwise\n"
         "  --set N=V     a constant of one's own surface's formulas (1 unless set)\n"
         "  --convergence print the largest and mean angle between the facet normals and the\n"
         "                surface's own at the cells' middles\n"
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
    } else if (args.option() == "--stl") {
      o.stl = true;
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
      readEye(args, args.value(), o.eye);
      o.otherEye = true;
    } else if (args.option() == "--inspect") {
      readCell(args, args.value(), o.inspect);
    } else if (args.option() == "--cells") {
      readCells(args, args.value(), o.cells);
    } else if (args.option() == "--u" || args.option() == "--v") {
      readRange(args, args.value(), args.option() == "--u" ? o.uRange : o.vRange);
    } else if (args.option() == "--set") {
      o.settings.push_back(readSetting(args, args.value()));
    } else if (args.option() == "--convergence") {
      o.convergence = true;
    } else if (args.option() == "--normals") {
      o.normals = readNormalLines(args, args.value());
    } else if (args.option() == "--facet") {
      o.facet = readFacet(args, args.value());
    } else if (args.option() == "--shading") {
      o.shading = readShading(args, args.value());
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
  if (o.obj && o.stl) args.fail("--obj and --stl exclude each other");
  const std::string cellFile = o.obj ? "--obj" : "--stl";
  if (o.cellsOnly() && (o.gif || o.icon > 0))
    args.fail(cellFile + " writes cells, not pictures: no --animation or --icon");
  if (o.cellsOnly() && o.otherEye) args.fail(cellFile + " writes cells, seen from nowhere: no --eye");
  const bool ranged = o.uRange[0] != o.uRange[1] || o.vRange[0] != o.vRange[1];
  if (ranged && !o.own()) {
    args.fail("--u and --v belong to a surface of one's own: a built-in keeps its span");
  }
  if (!o.settings.empty() && !o.own()) args.fail("--set belongs to a surface of one's own");
  const Grid grid = o.grid();
  if (o.inspect[0] >= grid.cellsU || o.inspect[1] >= grid.cellsV) {
    args.fail("--inspect: the grid has rows 0 to " + std::to_string(grid.cellsU - 1) +
              " and columns 0 to " + std::to_string(grid.cellsV - 1));
  }
  if (o.inspect[0] >= 0 && !(o.surface >= 0 || o.own())) {
    args.fail("--inspect looks into one surface: --surface K, or --x --y --z");
  }
  if (o.inspect[0] >= 0 && (o.gif || o.cellsOnly())) {
    args.fail("--inspect marks a still picture: no --animation, --obj or --stl");
  }
  if (o.cellsOnly() && (o.normals != NormalLines::kFacet || o.facet != FacetNormal::kCorner ||
                        o.shading != Shading::kFlat)) {
    args.fail("--normals, --facet and --shading choose what is drawn: no " + cellFile);
  }
  return o;
}

std::vector<std::pair<unsigned, std::string>> snapshotTargets(const SnapshotOptions& o) {
  const std::string extension = o.obj ? ".obj" : o.stl ? ".stl" : o.gif ? ".gif" : ".png";
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
  const auto named = [&](unsigned k) {
    return file.empty() ? folder + separator + surfaceFileStem(k) + extension : file;
  };
  if (o.own()) return {{kSurfaceCount, named(kSurfaceCount)}};
  for (unsigned k = 0; k < kSurfaceCount; ++k) {
    if (o.surface >= 0 && k != static_cast<unsigned>(o.surface)) continue;
    out.push_back({k, named(k)});
  }
  return out;
}
