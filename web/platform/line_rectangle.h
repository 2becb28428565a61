// A wide line as Mesa's rasteriser fills it, worked out once per segment: the rectangle whose
// pixels are the line's (half its width either side across its major axis, each end moved to
// a pixel's edge where the rectangle alone would not agree with a diamond-exit line about the
// end pixel), and the depth plane Mesa gives every fragment of a line. Pure arithmetic in
// single precision, so that tests can compare it with the real Mesa.
#pragma once

struct LineRectangle {
  bool visible;
  // Window coordinates (y up): the start's two corners, then the end's, each pair with the
  // side of -1 first.
  float corners[4][2];
  // The depth a0 + dadx x + dady y at the pixel (x, y) of the desktop window (y down).
  float depth[3];
};

// The line from `start` to `end` (clip coordinates) in a viewport `width` x `height` at the
// origin, `lineWidth` pixels wide; not visible when nothing of it shows.
LineRectangle lineRectangle(const float start[4], const float end[4], float width, float height,
                            float lineWidth);
