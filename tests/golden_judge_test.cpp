// The judge the golden tests, the scripts and the browser tests rely on: every pixel counts,
// wherever it lies, and the tolerance is exactly the one it names.
#include <gtest/gtest.h>

#include <functional>

#include "golden.h"

namespace {

// A reference with every level somewhere, away from 0 and 255 so that both ways of being off
// can be tried.
Image reference() {
  Image image;
  image.width = image.height = 400;
  for (int y = 0; y < 400; ++y) {
    for (int x = 0; x < 400; ++x) {
      image.rgb.push_back(static_cast<unsigned char>(10 + x % 200));
      image.rgb.push_back(static_cast<unsigned char>(10 + y % 200));
      image.rgb.push_back(static_cast<unsigned char>(10 + (x + y) % 200));
    }
  }
  return image;
}

// `count` pixels from (x0, y0) on along the row, each channel `by` levels up.
std::function<void(Image&)> shift(int x0, int y0, int count, int by) {
  return [=](Image& image) {
    for (int i = 0; i < count; ++i) {
      const int x = (x0 + i) % 400, y = y0 + (x0 + i) / 400;
      unsigned char* p = &image.rgb[3 * (static_cast<std::size_t>(y) * 400 + x)];
      for (int k = 0; k < 3; ++k) p[k] = static_cast<unsigned char>(p[k] + by);
    }
  };
}

TEST(GoldenJudge, EveryPixelCountsAndTheToleranceIsExact) {
  const int kOff = kGoldenLevelTolerance + 1;
  const int kTooMany = kGoldenPixelTolerance + 1;
  const struct {
    const char* picture;
    std::function<void(Image&)> change;
    double minShare;
    int differing;
    bool pass;
  } cases[] = {
      {"the reference itself", shift(0, 0, 0, 0), -1, 0, true},
      {"every pixel 2 levels off", shift(0, 0, 160000, kGoldenLevelTolerance), -1, 0, true},
      {"every pixel 3 levels off", shift(0, 0, 160000, kOff), -1, 160000, false},
      {"a pixel 3 levels down", shift(7, 9, 1, -kOff), -1, 1, true},
      {"as many off as allowed", shift(0, 0, kGoldenPixelTolerance, kOff), -1, 40, true},
      {"one more, in the top left", shift(0, 0, kTooMany, kOff), -1, 41, false},
      {"one more, in the lower half only", shift(0, 350, kTooMany, kOff), -1, 41, false},
      {"one more, in the right half only", shift(300, 120, kTooMany, kOff), -1, 41, false},
      {"the last pixels", shift(159999 - kTooMany + 1, 0, kTooMany, kOff), -1, 41, false},
      {"800 off at 99.5 %", shift(0, 390, 800, kOff), 99.5, 800, true},
      {"801 off at 99.5 %", shift(0, 390, 801, kOff), 99.5, 801, false},
  };
  const Image golden = reference();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.picture);
    Image seen = golden;
    c.change(seen);
    const Comparison comparison = compareImages(seen, golden);
    EXPECT_EQ(comparison.differing, c.differing);
    EXPECT_EQ(passes(comparison, golden, c.minShare), c.pass);
  }
}

}  // namespace
