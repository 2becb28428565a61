// The WebGL 2 context on the page's canvas, and what the layer asks of it: draw a recorded
// frame.
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
