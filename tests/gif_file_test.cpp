// Animated GIFs are exact: what is read back is what was written, frame by frame, and frames
// that a GIF cannot hold exactly are refused before anything is written.
#include "gif_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "gif_reader.h"

namespace {

// A w x h image whose pixel i has colour `colour(i)`.
template <typename Colour>
Image makeImage(int w, int h, Colour colour) {
  Image image{w, h, {}};
  for (int i = 0; i < w * h; ++i) {
    const Rgb c = colour(i);
    image.rgb.insert(image.rgb.end(),
                     {static_cast<unsigned char>(c.r), static_cast<unsigned char>(c.g),
                      static_cast<unsigned char>(c.b)});
  }
  return image;
}

std::string temporaryFolder() {
  char path[] = "/tmp/normals-gif-test-XXXXXX";
  return mkdtemp(path);
}

TEST(GifFile, ReadsBackExactlyWhatWasWritten) {
  const Image blue = makeImage(7, 5, [](int) { return Rgb{51, 51, 179}; });
  Image dot = blue;
  dot.rgb[3 * 12] = 255;  // one pixel changes, and then nothing
  const Image stripes = makeImage(7, 5, [](int i) { return Rgb{i % 7 * 30, 0, i % 2 * 255}; });
  // 256 colours: no spare palette entry for transparency, so every frame is stored whole.
  const Image full = makeImage(16, 16, [](int i) { return Rgb{i, 255 - i, i / 2}; });
  const Image fullShifted = makeImage(16, 16, [](int i) {
    return Rgb{(i + 1) % 256, 255 - (i + 1) % 256, (i + 1) % 256 / 2};
  });
  // 256 colours again, and two far corners change: the pixels between them stay, and with no
  // slot for transparency they must be written as themselves.
  Image fullCornersChanged = full;
  for (int c = 0; c < 3; ++c) {
    fullCornersChanged.rgb[3 * 0 + c] = full.rgb[3 * 200 + c];
    fullCornersChanged.rgb[3 * 255 + c] = full.rgb[3 * 100 + c];
  }

  struct Case {
    const char* name;
    Animation animation;
  };
  const Case cases[] = {
      {"changes, none, everything", {{blue, dot, dot, stripes, blue}, {"a", "b", "", "d", "e"}, 7}},
      {"one frame", {{stripes}, {"only"}, 100}},
      {"256 colours", {{full, fullShifted}, {"x", "y"}, 3}},
      {"256 colours, some unchanged", {{full, fullCornersChanged, full}, {"x", "y", "z"}, 3}},
  };
  const std::string folder = temporaryFolder();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = folder + "/a.gif";
    ASSERT_EQ(writeGif(c.animation, path), "");
    const DecodedGif gif = readGif(path);
    ASSERT_EQ(gif.error, "");
    EXPECT_EQ(gif.loops, 0) << "loops forever";
    ASSERT_EQ(gif.frames.size(), c.animation.frames.size());
    for (std::size_t i = 0; i < gif.frames.size(); ++i) {
      EXPECT_EQ(gif.frames[i].width, c.animation.frames[i].width);
      EXPECT_TRUE(gif.frames[i].rgb == c.animation.frames[i].rgb) << "frame " << i;
      EXPECT_EQ(gif.notes[i], c.animation.notes[i]);
      EXPECT_EQ(gif.delays[i], c.animation.delayCentiseconds);
    }
    std::remove(path.c_str());
  }
  rmdir(folder.c_str());
}

// A failure, before the temporary file is made or after, leaves the folder as it was.
TEST(GifFile, FailuresLeaveNothingBehind) {
  const Image tooMany = makeImage(257, 1, [](int i) { return Rgb{i % 256, i / 256, 0}; });
  const Image one = makeImage(2, 2, [](int) { return Rgb{1, 2, 3}; });
  struct Case {
    const char* name;
    Image image;
    const char* target;  // in a new folder; "taken" is a folder there already
    const char* error;
  };
  const Case cases[] = {
      {"more colours than a GIF holds", tooMany, "a.gif", "more than 256 colours"},
      {"the target is a folder: the rename fails", one, "taken", "Is a directory"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string folder = temporaryFolder();
    ASSERT_EQ(mkdir((folder + "/taken").c_str(), 0700), 0);
    const std::string error = writeGif({{c.image}, {""}, 10}, folder + "/" + c.target);
    EXPECT_NE(error.find(c.error), std::string::npos) << error;
    EXPECT_EQ(rmdir((folder + "/taken").c_str()), 0);
    EXPECT_EQ(rmdir(folder.c_str()), 0) << "something was left in " << folder;
  }
}

}  // namespace
