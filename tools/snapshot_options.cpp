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

bool isDirectory(const std::string& path) {
  struct stat s;
  return stat(path.c_str(), &s) == 0 && S_ISDIR(s.st_mode);
}

bool endsWith(const std::string& text, const std::string& end) {
  return text.size() > end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The options given that no field of SnapshotOptions keeps.
struct Seen {
  bool all = false, atRest = false, phase = false, every = false;
};

// Takes the option `args` stands at into `o`.
void readOption(CommandLine& args, SnapshotOptions* o, Seen* seen) {
  if (args.option() == "--all") {
    seen->all = true;
  } else if (args.option() == "--at-rest") {
    seen->atRest = true;
  } else if (args.option() == "--animation") {
    o->gif = true;
  } else if (args.option() == "--obj") {
    o->obj = true;
  } else if (args.option() == "--stl") {
    o->stl = true;
  } else if (args.option() == "--surface") {
    o->surface = args.integer(args.value(), 0, kSurfaceCount - 1);
  } else if (args.option() == "--x" || args.option() == "--y" || args.option() == "--z") {
    std::string& formula = o->formula[args.option()[2] - 'x'];
    if (!formula.empty()) args.fail(args.option() + " is given twice");
    formula = args.value();
    if (formula.empty()) args.fail(args.option() + " needs a formula");
  } else if (args.option() == "--phase") {
    seen->phase = true;
    o->fixedPhase = true;
    o->phase = static_cast<float>(args.number(args.value(), 0, 1));
  } else if (args.option() == "--every") {
    seen->every = true;
    o->every = args.integer(args.value(), 1, kIdleCallsPerSwing);
  } else if (args.option() == "--icon") {
    o->icon = args.integer(args.value(), kSmallestIcon, kIconSource);
  } else if (args.option() == "--eye") {
    readEye(args, args.value(), o->eye);
    o->otherEye = true;
  } else if (args.option() == "--inspect") {
    readCell(args, args.value(), o->inspect);
  } else if (args.option() == "--cells") {
    readCells(args, args.value(), o->cells);
  } else if (args.option() == "--u" || args.option() == "--v") {
    readRange(args, args.value(), args.option() == "--u" ? o->uRange : o->vRange);
  } else if (args.option() == "--set") {
    o->settings.push_back(readSetting(args, args.value()));
  } else if (args.option() == "--fit") {
    o->fit = true;
  } else if (args.option() == "--convergence") {
    o->convergence = true;
  } else if (args.option() == "--normals") {
    o->normals = readNormalLines(args, args.value());
  } else if (args.option() == "--facet") {
    o->facet = readFacet(args, args.value());
  } else if (args.option() == "--shading") {
    o->shading = readShading(args, args.value());
  } else if (args.option() == "--out") {
    o->out = args.value();
    if (o->out.empty()) args.fail("--out needs a file or folder name");
  } else {
    args.unknown();
  }
}

// Ends the program, saying why, where options given together contradict each other.
void checkTogether(const CommandLine& args, const SnapshotOptions& o, const Seen& seen) {
  if (seen.all && o.surface >= 0) args.fail("--surface and --all exclude each other");
  if (o.typed() && (seen.all || o.surface >= 0)) {
    args.fail("a surface of one's own (--x, --y, --z) goes without --surface or --all");
  }
  if (o.typed() && (o.formula[0].empty() || o.formula[1].empty() || o.formula[2].empty())) {
    args.fail("a surface of one's own needs all three of --x, --y and --z");
  }
  if (seen.atRest && seen.phase) args.fail("--phase and --at-rest exclude each other");
  if (o.gif && (seen.atRest || seen.phase))
    args.fail("--animation shows every phase: no --phase or --at-rest");
  if (seen.every && !o.gif) args.fail("--every belongs to --animation");
  if (o.gif && o.icon > 0) args.fail("--icon is a still picture: no --animation");
  if (o.obj && o.stl) args.fail("--obj and --stl exclude each other");
  const std::string cellFile = o.obj ? "--obj" : "--stl";
  if (o.cellsOnly() && (o.gif || o.icon > 0))
    args.fail(cellFile + " writes cells, not pictures: no --animation or --icon");
  if (o.cellsOnly() && (o.otherEye || o.fit)) {
    args.fail(cellFile + " writes cells, seen from nowhere: no --eye or --fit");
  }
  const bool ranged = o.uRange[0] != o.uRange[1] || o.vRange[0] != o.vRange[1];
  if (ranged && !o.typed()) {
    args.fail("--u and --v belong to a surface of one's own: a built-in keeps its span");
  }
  if (!o.settings.empty() && !o.typed()) args.fail("--set belongs to a surface of one's own");
  const Grid grid = o.grid();
  if (o.inspect[0] >= grid.cellsU || o.inspect[1] >= grid.cellsV) {
    args.fail("--inspect: the grid has rows 0 to " + std::to_string(grid.cellsU - 1) +
              " and columns 0 to " + std::to_string(grid.cellsV - 1));
  }
  if (o.inspect[0] >= 0 && !(o.surface >= 0 || o.typed())) {
    args.fail("--inspect looks into one surface: --surface K, or --x --y --z");
  }
  if (o.inspect[0] >= 0 && (o.gif || o.cellsOnly())) {
    args.fail("--inspect marks a still picture: no --animation, --obj or --stl");
  }
  if (o.cellsOnly() && (o.normals != NormalLines::kFacet || o.facet != FacetNormal::kCorner ||
                        o.shading != Shading::kFlat)) {
    args.fail("--normals, --facet and --shading choose what is drawn: no " + cellFile);
  }
}

}  // namespace

SnapshotOptions parseSnapshotOptions(int argc, char** argv) {
  SnapshotOptions o;
  Seen seen;
  CommandLine args(kSnapshotProgram, snapshotUsage(), argc, argv, NORMALS_VERSION);
  while (args.next()) readOption(args, &o, &seen);
  checkTogether(args, o, seen);
  return o;
}

std::vector<std::pair<unsigned, std::string>> snapshotTargets(const SnapshotOptions& o) {
  const std::string extension = o.obj ? ".obj" : o.stl ? ".stl" : o.gif ? ".gif" : ".png";
  std::string folder = o.out.empty() ? "." : o.out;
  std::string file;
  // One surface and a name with the right ending: that file. Otherwise a folder, made if
  // missing.
  const bool one = o.surface >= 0 || o.typed();
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
  if (o.typed()) return {{kSurfaceCount, named(kSurfaceCount)}};
  for (unsigned k = 0; k < kSurfaceCount; ++k) {
    if (o.surface >= 0 && k != static_cast<unsigned>(o.surface)) continue;
    out.push_back({k, named(k)});
  }
  return out;
}
