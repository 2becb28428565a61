// Frames compared pixel by pixel with reference images made by scripts/update-golden.sh, for
// the cases listed in tests/golden/cases.txt.
#include "golden.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

#include "app/viewer_state.h"
#include "capture.h"
#include "gl_harness.h"
#include "png_file.h"

// Found by the test framework beside GoldenCase, in the global namespace.
static void PrintTo(const GoldenCase& g, std::ostream* os) { *os << g.file; }

namespace {

class GoldenImage : public testing::TestWithParam<GoldenCase> {};

TEST_P(GoldenImage, MatchesTheReference) {
  const GoldenCase& g = GetParam();
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

  const Comparison c = compareImages(frame, reference);
  if (c.differing > kGoldenPixelTolerance) {
    std::string name = g.file;
    for (char& ch : name) ch = ch == '/' ? '-' : ch;
    const std::string rendered = "golden-rendered-" + name, diff = "golden-difference-" + name;
    std::string written = writePng(frame, rendered);
    if (written.empty()) written = writePng(c.difference, diff);
    ADD_FAILURE() << c.differing << " pixels differ from " << path << " by more than "
                  << kGoldenLevelTolerance << " levels (at most " << kGoldenPixelTolerance
                  << " may); the first: " << c.first << "; "
                  << (written.empty()
                          ? "see " + rendered + " and " + diff + " in the build's tests folder"
                          : "and the pictures could not be kept: " + written);
  }
}

INSTANTIATE_TEST_SUITE_P(Frames, GoldenImage,
                         testing::ValuesIn(readGoldenCases(NORMALS_GOLDEN_DIR)),
                         [](const testing::TestParamInfo<GoldenCase>& info) {
                           std::string name = info.param.file;
                           for (char& c : name) {
                             if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                           }
                           return name;
                         });

}  // namespace
