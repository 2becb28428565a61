// Icons are the frame's middle averaged down: each icon pixel the mean of what it covers.
#include "icon.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A 400 x 400 frame, black left of column `edge` and white from it on.
Image halves(int edge) {
  Image frame{400, 400, std::vector<unsigned char>(3 * 400 * 400)};
  for (int y = 0; y < 400; ++y) {
    for (int x = edge; x < 400; ++x) {
      for (int c = 0; c < 3; ++c) frame.rgb[3 * (y * 400 + x) + c] = 255;
    }
  }
  return frame;
}

TEST(Icon, AveragesTheMiddleOfTheFrame) {
  const struct {
    int size;
    int edge;    // in the frame
    int column;  // in the icon
    int level;   // expected there, in every row
  } cases[] = {
      {256, 200, 127, 0},  {256, 200, 128, 255},  // full size: the middle, pixel for pixel
      {16, 72, 0, 255},    {16, 71, 0, 255},      // the icon starts at the frame's column 72
      {16, 73, 0, 239},                           // one of 16 columns black: 15/16 white
      {128, 201, 64, 128},                        // half of two columns, rounded
      {48, 200, 23, 0},    {48, 200, 24, 255},    // the split falls between icon pixels
      {48, 201, 24, 207},                         // 1 of 16/3 columns black
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "size " << c.size << ", edge " << c.edge);
    const Image icon = iconFromFrame(halves(c.edge), c.size);
    ASSERT_EQ(icon.width, c.size);
    ASSERT_EQ(icon.height, c.size);
    for (int y = 0; y < c.size; ++y) EXPECT_EQ(icon.at(c.column, y).g, c.level) << "row " << y;
  }
}

}  // namespace
