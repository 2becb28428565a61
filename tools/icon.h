// An application icon made from a frame of the viewer.
#pragma once

#include "image.h"

// Side of the square in the middle of a frame that an icon shows: every surface sits there,
// away from the caption.
constexpr int kIconSource = 256;
constexpr int kSmallestIcon = 16;

// The middle kIconSource x kIconSource pixels of `frame`, averaged down to `size` x `size`
// (kSmallestIcon to kIconSource): each icon pixel is the mean of the frame pixels it covers,
// weighted by how much of each it covers.
Image iconFromFrame(const Image& frame, int size);
