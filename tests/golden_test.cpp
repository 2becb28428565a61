// Frames compared pixel by pixel with reference images made by scripts/update-golden.sh, for
// the cases listed in tests/golden/cases.txt.
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/viewer_state.h"
#include "capture.h"
#include "gl_harness.h"
#include "pixels.h"
#include "png_file.h"

namespace {

// Another Mesa may move an edge pixel or round a level differently, nothing more.
constexpr int kLevelTolerance = 2;
constexpr int kPixelTolerance = 40;  // of 160000

struct Golden {
  std::string file;  // below tests/golden
  unsigned surface;
  bool animate;
  float phase;
};

std::vector<Golden> readCases() {
  std::vector<Golden> cases;
  std::ifstream in(NORMALS_GOLDEN_DIR "/cases.txt");
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    Golden g{};
    std::string phase;
    fields >> g.file >> g.surface >> phase;
    g.animate = phase != "rest";
    g.phase = g.animate ? std::stof(phase) : 0.0f;
    cases.push_back(g);
  }
  return cases;
}

void PrintTo(const Golden& g, std::ostream* os) { *os << g.file; }

class GoldenImage : public testing::TestWithParam<Golden> {};

TEST_P(GoldenImage, MatchesTheReference) {
  const Golden& g = GetParam();
  openViewer();
  viewerState.surfaceIndex = g.surface;
  viewerState.animate = g.animate;
  viewerState.phase = g.phase;
  const Image frame = readFrame();

  Image reference;
  const std::string path = std::string(NORMALS_GOLDEN_DIR) + "/" + g.file;
  ASSERT_EQ(readPng(path, &reference), "");
  ASSERT_EQ(reference.width, frame.width);
  ASSERT_EQ(reference.height, frame.height);

  // The difference image: the reference dimmed, with every differing pixel in yellow.
  Image difference = reference;
  int differing = 0;
  PixelReport first{};
  for (int y = 0; y < frame.height; ++y) {
    for (int x = 0; x < frame.width; ++x) {
      unsigned char* p = &difference.rgb[3 * (static_cast<size_t>(y) * frame.width + x)];
      const bool same = near(frame.at(x, y), reference.at(x, y), kLevelTolerance);
      if (!same && differing++ == 0) first = {x, y, frame.at(x, y), reference.at(x, y)};
      for (int c = 0; c < 3; ++c) {
        p[c] = same ? static_cast<unsigned char>(p[c] / 4) : (c < 2 ? 255 : 0);
      }
    }
  }
  if (differing > kPixelTolerance) {
    std::string name = g.file;
    for (char& c : name) c = c == '/' ? '-' : c;
    const std::string rendered = "golden-rendered-" + name, diff = "golden-difference-" + name;
    writePng(frame, rendered);
    writePng(difference, diff);
    ADD_FAILURE() << differing << " pixels differ from " << path << " by more than "
                  << kLevelTolerance << " levels (at most " << kPixelTolerance
                  << " may); the first: " << first << "; see " << rendered << " and " << diff
                  << " in the build's tests folder";
  }
}

INSTANTIATE_TEST_SUITE_P(Frames, GoldenImage, testing::ValuesIn(readCases()),
                         [](const testing::TestParamInfo<Golden>& info) {
                           std::string name = info.param.file;
                           for (char& c : name) {
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           }
                           return name;
                         });

}  // namespace
