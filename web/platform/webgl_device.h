// The WebGL 2 context on the page's canvas, and what the layer asks of it: draw a recorded
// frame, and read pixels back.
#pragma once

#include "recorded_frame.h"

// Opens WebGL 2 on the canvas `selector` names, `width` x `height`; false when the browser
// has none.
bool openWebGl(const char* selector, int width, int height);
// The canvas's drawing buffer is now `width` x `height`, each bitmap pixel `pointSize` across.
void resizeWebGl(const char* selector, int width, int height, float pointSize);
// Clears and draws as `frame` says, in its order, its vertices sent at once; nothing at all
// when it is the frame drawn last, whose picture the canvas still shows, and its indices only
// when they changed.
void drawWebGl(const RecordedFrame& frame);
// The next frame is drawn even if it is the last one again: a test reads its pixels back from
// the drawing buffer, which the browser clears once it has shown it.
void drawNextFrameAnyway();
// How many frames have been sent to WebGL.
unsigned framesSentToWebGl();
// The pixels of the rectangle at (x, y), `width` x `height` (bottom row first, RGBA) into
// `rgba`.
void readWebGl(int x, int y, int width, int height, unsigned char* rgba);
