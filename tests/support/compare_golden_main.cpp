// normals-compare-golden: judges pictures drawn elsewhere (scripts/update-golden.sh into a
// scratch folder, or a browser's screenshots) against the golden references, case by case,
// and writes a difference image beside each picture that fails. With --browser, a picture
// passes when it is off its reference by what that browser was measured to draw (cases.txt),
// give or take the case's slack. --scale N judges pictures drawn
// with N x N pixels for each of the reference's: averaged back, and their caption pixel by
// pixel. --references judges against
// another folder of pictures instead (the icons, say), file by file. --list prints the cases,
// one a line, "FILE SURFACE ANIMATE PHASE" (ANIMATE 0 or 1), for the scripts and the browser
// tests, so that the case file has one reader.
#include <dirent.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "command_line.h"
#include "golden.h"
#include "png_file.h"

namespace {

const char* const kProgram = "normals-compare-golden";

// The names of the PNG files in `folder`, sorted.
std::vector<std::string> pngFiles(const std::string& folder) {
  std::vector<std::string> names;
  if (DIR* d = opendir(folder.c_str())) {
    while (const dirent* e = readdir(d)) {
      const std::string name = e->d_name;
      if (name.size() > 4 && name.compare(name.size() - 4, 4, ".png") == 0) names.push_back(name);
    }
    closedir(d);
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string usage =
      std::string("usage: ") + kProgram +
      " [--min-share PERCENT | --browser firefox|chromium] [--levels N]"
      " [--scale N] [--only FILE,...]"
      " [--references DIR] FOLDER\n"
      "       " +
      kProgram +
      " --list\n"
      "  FOLDER holds one picture per case of tests/golden/cases.txt, under "
      "the same names, or with\n  --references one per PNG file in DIR. "
      "By default a picture passes with at most " +
      std::to_string(kGoldenPixelTolerance) + " pixels more than " +
      std::to_string(kGoldenLevelTolerance) +
      " levels off, as in the golden tests. With --scale N, the pictures have N x N pixels for\n"
      "  each of the reference's: averaged back they are judged so, and "
      "no pixel of the caption may be off. --only judges those cases alone.";
  CommandLine args(kProgram, usage, argc, argv);
  double minShare = -1;
  int levels = kGoldenLevelTolerance, scale = 1;
  std::string folder, references, browser, only;
  bool list = false;
  while (args.next()) {
    if (args.option() == "--list") {
      list = true;
    } else if (args.option() == "--min-share") {
      minShare = args.number(args.value(), 0, 100);
    } else if (args.option() == "--browser") {
      browser = args.value();
    } else if (args.option() == "--levels") {
      levels = args.integer(args.value(), 0, 255);
    } else if (args.option() == "--only") {
      only = "," + args.value() + ",";
    } else if (args.option() == "--scale") {
      scale = args.integer(args.value(), 1, 8);
    } else if (args.option() == "--references") {
      references = args.value();
    } else if (args.option().rfind("-", 0) == 0 || !folder.empty()) {
      args.unknown();
    } else {
      folder = args.option();
    }
  }
  if (list) {
    if (!folder.empty() || !references.empty() || minShare >= 0) args.fail("--list stands alone");
    const std::vector<GoldenCase> cases = readGoldenCases(NORMALS_GOLDEN_DIR);
    if (cases.empty()) args.fail("no cases in " NORMALS_GOLDEN_DIR "/cases.txt");
    for (const GoldenCase& g : cases) {
      std::printf("%s %u %d %.9g\n", g.file.c_str(), g.surface, g.animate ? 1 : 0, g.phase);
    }
    return 0;
  }
  if (folder.empty()) args.fail("which folder?");
  if (!browser.empty()) {
    if (minShare >= 0) args.fail("--min-share or --browser, not both");
    if (browser != "firefox" && browser != "chromium") args.fail("no such browser: " + browser);
  }
  // Each case's own band in a browser.
  std::map<std::string, GoldenCase> bands;
  for (const GoldenCase& g : readGoldenCases(NORMALS_GOLDEN_DIR)) bands[g.file] = g;

  std::vector<std::string> files;
  if (references.empty()) {
    references = NORMALS_GOLDEN_DIR;
    for (const GoldenCase& g : readGoldenCases(references)) {
      if (only.empty() || only.find("," + g.file + ",") != std::string::npos) {
        files.push_back(g.file);
      }
    }
  } else {
    files = pngFiles(references);
  }
  if (files.empty()) args.fail("no pictures to compare in " + references);
  int failed = 0;
  for (const std::string& file : files) {
    Image seen, reference;
    const std::string path = folder + "/" + file;
    std::string error = readPng(references + "/" + file, &reference);
    if (error.empty()) error = readPng(path, &seen);
    if (error.empty() &&
        (seen.width != scale * reference.width || seen.height != scale * reference.height)) {
      error = path + " is " + std::to_string(seen.width) + " x " + std::to_string(seen.height) +
              ", not " + std::to_string(scale * reference.width) + " x " +
              std::to_string(scale * reference.height);
    }
    if (!error.empty()) {
      std::printf("%-28s %s\n", file.c_str(), error.c_str());
      ++failed;
      continue;
    }
    const Comparison c =
        compareImages(scale > 1 ? averagedDown(seen, scale) : seen, reference, levels);
    const double share = shareWithin(c, reference);
    const auto band = bands.find(file);
    const bool inBand = !browser.empty() && band != bands.end();
    const int captionOff = scale > 1 ? captionPixelsOff(seen, reference, scale, levels) : 0;
    const bool pass = (inBand ? passes(c, measuredOff(band->second, browser), band->second.slack)
                              : passes(c, reference, minShare)) &&
                      captionOff == 0;
    std::printf(
        "%-28s %7.3f %% within %d levels (%d pixels differ)%s%s\n", file.c_str(), share, levels,
        c.differing,
        scale > 1 ? (", caption: " + std::to_string(captionOff) + " pixels off").c_str() : "",
        pass ? "" : "  FAILED");
    if (inBand && !pass) {
      std::printf("  %s draws it with %d pixels off, give or take %d\n", browser.c_str(),
                  measuredOff(band->second, browser), band->second.slack);
    }
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
  std::printf("%zu of %zu pictures pass\n", files.size() - failed, files.size());
  return failed == 0 ? 0 : 1;
}
