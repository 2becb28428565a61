// normals-compare-golden: judges pictures drawn elsewhere (scripts/update-golden.sh into a
// scratch folder, or a browser's screenshots) against the golden references, case by case,
// and writes a difference image beside each picture that fails.
#include <cstdio>
#include <string>

#include "command_line.h"
#include "golden.h"
#include "png_file.h"

namespace {

const char* const kProgram = "normals-compare-golden";

}  // namespace

int main(int argc, char** argv) {
  const std::string usage = std::string("usage: ") + kProgram +
                            " [--min-share PERCENT] [--levels N] FOLDER\n"
                            "  FOLDER holds one picture per case of tests/golden/cases.txt, under "
                            "the same names. By default a picture\n  passes with at most " +
                            std::to_string(kGoldenPixelTolerance) + " pixels more than " +
                            std::to_string(kGoldenLevelTolerance) +
                            " levels off, as in the golden tests.";
  CommandLine args(kProgram, usage, argc, argv);
  double minShare = -1;
  int levels = kGoldenLevelTolerance;
  std::string folder;
  while (args.next()) {
    if (args.option() == "--min-share") {
      minShare = args.number(args.value(), 0, 100);
    } else if (args.option() == "--levels") {
      levels = args.integer(args.value(), 0, 255);
    } else if (args.option().rfind("-", 0) == 0 || !folder.empty()) {
      args.unknown();
    } else {
      folder = args.option();
    }
  }
  if (folder.empty()) args.fail("which folder?");

  const auto cases = readGoldenCases(NORMALS_GOLDEN_DIR);
  if (cases.empty()) args.fail("no cases in " NORMALS_GOLDEN_DIR "/cases.txt");
  int failed = 0;
  for (const GoldenCase& g : cases) {
    Image seen, reference;
    const std::string path = folder + "/" + g.file;
    std::string error = readPng(NORMALS_GOLDEN_DIR "/" + g.file, &reference);
    if (error.empty()) error = readPng(path, &seen);
    if (error.empty() && (seen.width != reference.width || seen.height != reference.height)) {
      error = path + " is " + std::to_string(seen.width) + " x " + std::to_string(seen.height) +
              ", not " + std::to_string(reference.width) + " x " +
              std::to_string(reference.height);
    }
    if (!error.empty()) {
      std::printf("%-28s %s\n", g.file.c_str(), error.c_str());
      ++failed;
      continue;
    }
    const Comparison c = compareImages(seen, reference, levels);
    const double pixels = static_cast<double>(reference.width) * reference.height;
    const double share = 100 * (pixels - c.differing) / pixels;
    const bool pass = minShare >= 0 ? share >= minShare : c.differing <= kGoldenPixelTolerance;
    std::printf("%-28s %7.3f %% within %d levels (%d pixels differ)%s\n", g.file.c_str(), share,
                levels, c.differing, pass ? "" : "  FAILED");
    if (!pass) {
      ++failed;
      const std::string difference = path + ".difference.png";
      const std::string written = writePng(c.difference, difference);
      std::printf("  the first: pixel %d,%d is (%d, %d, %d), expected (%d, %d, %d); %s\n",
                  c.first.x, c.first.y, c.first.seen.r, c.first.seen.g, c.first.seen.b,
                  c.first.expected.r, c.first.expected.g, c.first.expected.b,
                  written.empty() ? ("see " + difference).c_str() : written.c_str());
    }
  }
  std::printf("%zu of %zu pictures pass\n", cases.size() - failed, cases.size());
  return failed == 0 ? 0 : 1;
}
