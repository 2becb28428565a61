// Reads an animated GIF back with giflib, as a viewer plays it: every frame composed over the
// one before.
#pragma once

#include <string>
#include <vector>

#include "image.h"

struct DecodedGif {
  std::string error;  // empty when the file was read
  std::vector<Image> frames;
  std::vector<std::string> notes;  // each frame's comment
  std::vector<int> delays;         // centiseconds
  int loops = -1;                  // 0: forever; -1: no loop extension
};

[[nodiscard]] DecodedGif readGif(const std::string& path);
