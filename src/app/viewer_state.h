// The state the toolkit's handlers share: written by the keyboard and idle handlers, read by
// the surface catalogue and the frame.
#pragma once

#include <cstdint>

// Number of surfaces in the catalogue; surfaceIndex wraps at this value.
constexpr std::uint32_t kSurfaceCount = 6;

struct ViewerState {
  std::uint32_t surfaceIndex = 0;
  bool animate = true;
  // Single precision on purpose: the pictures are made with these widths.
  float phase = 0.0f;
  float clock = 0.0f;
};

static_assert(sizeof(bool) == 1, "animate is one byte");

// The one instance, shared by every layer.
inline ViewerState viewerState;
