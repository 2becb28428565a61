// The golden-image cases (tests/golden/cases.txt) and how a picture is compared with its
// reference: shared by the golden tests and by normals-compare-golden, which judges pictures
// made elsewhere (by scripts/update-golden.sh, or by a browser) against the same references.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "image.h"
#include "pixels.h"

// Another Mesa may move an edge pixel or round a level differently, nothing more.
constexpr int kGoldenLevelTolerance = 2;
constexpr int kGoldenPixelTolerance = 40;  // of 160000

struct GoldenCase {
  std::string file;  // below tests/golden
  unsigned surface;
  bool animate;
  float phase;
};

// The cases listed in `folder`/cases.txt; empty when it cannot be read.
std::vector<GoldenCase> readGoldenCases(const std::string& folder);

// The least shares, in percent, case by case, of the column `column` of a table whose first
// line that is not a comment names its columns ("case firefox chromium"), a case a line after
// it. Empty, with the reason in `error`, when the file or the column cannot be read.
std::map<std::string, double> readMinShares(const std::string& path, const std::string& column,
                                            std::string* error);

struct Comparison {
  int differing = 0;  // pixels with a channel more than the tolerance off
  PixelReport first{};
  // The reference dimmed, with every differing pixel in yellow.
  Image difference;
};

// `seen` against `reference`, both of one size, pixel by pixel.
Comparison compareImages(const Image& seen, const Image& reference,
                         int levels = kGoldenLevelTolerance);

// The share of the reference's pixels that `c` found within the tolerance, in percent.
double shareWithin(const Comparison& c, const Image& reference);
// The verdict: at least `minShare` percent within the tolerance, or with no share given (a
// negative one), at most kGoldenPixelTolerance pixels off.
bool passes(const Comparison& c, const Image& reference, double minShare = -1);
