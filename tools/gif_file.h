// Animated GIF files of 8-bit RGB frames, exact: one palette made of the frames' own colours,
// never a dithered approximation.
#pragma once

#include <string>
#include <vector>

#include "image.h"

// A GIF holds at most this many colours.
constexpr std::size_t kGifColours = 256;

struct Animation {
  std::vector<Image> frames;       // all of one size
  std::vector<std::string> notes;  // one per frame, stored as the frame's comment
  int delayCentiseconds = 0;       // between two frames; the maker of the animation decides
};

// Writes `animation` to `path`, looping forever, through a temporary file so that a failure
// leaves nothing behind. Frames after the first store only what changed. Returns an empty
// string or the reason it failed; frames with more than kGifColours colours in all are refused
// before anything is written.
[[nodiscard]] std::string writeGif(const Animation& animation, const std::string& path);
