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
  // What the browsers draw of it: the pixels more than the tolerance off the reference, as
  // measured, and the slack either way within which a browser's frame passes.
  int firefoxOff, chromiumOff, slack;
};

// What `browser` (firefox or chromium) was measured to draw of `g`, or -1 for another.
int measuredOff(const GoldenCase& g, const std::string& browser);

// The cases listed in `folder`/cases.txt; empty when it cannot be read.
std::vector<GoldenCase> readGoldenCases(const std::string& folder);

struct Comparison {
  int differing = 0;  // pixels with a channel more than the tolerance off
  PixelReport first{};
  // The reference dimmed, with every differing pixel in yellow.
  Image difference;
};

// `seen` against `reference`, both of one size, pixel by pixel.
Comparison compareImages(const Image& seen, const Image& reference,
                         int levels = kGoldenLevelTolerance);

// A picture drawn with `scale` x `scale` pixels for each of the reference's, averaged back
// (each channel rounded to the nearest level).
Image averagedDown(const Image& picture, int scale);

// The rows of a frame that hold the caption and nothing of the surfaces, and the columns of
// the vertical axis, which crosses them.
constexpr int kCaptionTop = 26, kCaptionBottom = 48;
constexpr int kAxisLeft = 195, kAxisRight = 205;
// Pixels of the caption's rows in `seen`, drawn at `scale` times the reference's pixels, more
// than `levels` off the reference's pixel they stand for, the vertical axis aside: a caption
// whose glyphs' pixels are not whole squares of `scale` x `scale` shows here, where averaging
// the frame hides it.
int captionPixelsOff(const Image& seen, const Image& reference, int scale, int levels);

// The share of the reference's pixels that `c` found within the tolerance, in percent.
double shareWithin(const Comparison& c, const Image& reference);
// The verdict: at least `minShare` percent within the tolerance, or with no share given (a
// negative one), at most kGoldenPixelTolerance pixels off.
bool passes(const Comparison& c, const Image& reference, double minShare = -1);
// The verdict on a browser's frame: off by the measured count, give or take the slack.
bool passes(const Comparison& c, int measured, int slack);
