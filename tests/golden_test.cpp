// Frames compared pixel by pixel with reference images made by scripts/update-golden.sh.
#include <gtest/gtest.h>

#include <string>

#include "app/viewer_state.h"
#include "gl_harness.h"
#include "snapshot.h"

namespace {

// Another Mesa may move an edge pixel or round a level differently, nothing more.
constexpr int kLevelTolerance = 2;
constexpr int kPixelTolerance = 40;  // of 160000

struct Golden {
  unsigned surface;
  bool animate;
  float phase;
  const char* file;  // below tests/golden
};

const Golden kGolden[] = {
    {0, false, 0.0f, "surface-0.png"},          {1, false, 0.0f, "surface-1.png"},
    {2, false, 0.0f, "surface-2.png"},          {3, false, 0.0f, "surface-3.png"},
    {4, false, 0.0f, "surface-4.png"},          {5, false, 0.0f, "surface-5.png"},
    {1, true, 0.0f, "phase-0/surface-1.png"},   {3, true, 0.75f, "phase-0.75/surface-3.png"},
    {5, true, 0.3f, "phase-0.3/surface-5.png"},
};

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
  for (int y = 0; y < frame.height; ++y) {
    for (int x = 0; x < frame.width; ++x) {
      unsigned char* p = &difference.rgb[3 * (static_cast<size_t>(y) * frame.width + x)];
      const bool same = near(frame.at(x, y), reference.at(x, y), kLevelTolerance);
      differing += !same;
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
                  << kLevelTolerance << " levels (at most " << kPixelTolerance << " may); see "
                  << rendered << " and " << diff << " in the build's tests folder";
  }
}

INSTANTIATE_TEST_SUITE_P(Frames, GoldenImage, testing::ValuesIn(kGolden),
                         [](const testing::TestParamInfo<Golden>& info) {
                           std::string name = info.param.file;
                           for (char& c : name) {
                             if (!isalnum(static_cast<unsigned char>(c))) c = '_';
                           }
                           return name;
                         });

}  // namespace
