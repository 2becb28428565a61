// What the GL layer offers the browser build's toolkit layer and the page: the drawing
// surface's size, the end of a frame, and the 8 x 13 font drawn at the raster position.
#pragma once

#include "recorded_frame.h"

// Where the recorded frames go: WebGL in the page, a test's own sink natively.
using FrameSink = void (*)(const RecordedFrame& frame);

// Opens the layer on a drawing surface of `width` x `height` pixels, its frames for `sink`.
void openGlLayer(int width, int height, FrameSink sink);
// The drawing surface is now `width` x `height` pixels, `scale` of them to one of the window's:
// the same scene, its lines and bitmaps that much larger.
void resizeGlLayer(int width, int height, float scale);
// Hands everything recorded since the last flush to the sink, and forgets it.
void flushGlLayer();
// Draws one character of the 8 x 13 font at the raster position and advances it.
void drawGlyph(int character);
// How many of the surface's pixels across one pixel of a glyph takes.
float glyphPixel();
