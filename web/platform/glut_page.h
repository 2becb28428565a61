// What the page, as the window system, tells the toolkit layer (glut_layer.cpp): the canvas's
// size, and the keys it hands the viewer. Exported to the page's script too.
#pragma once

extern "C" {
// The canvas's drawing buffer is now `width` x `height` of the device's pixels; the same scene
// is drawn into it at the next frame, as sharp as the screen allows.
void glutLayerResize(int width, int height);
// A key the page hands the viewer (a KeyboardEvent's key, in UTF-8), handled at the next frame;
// false (0) for a key without a character, which the viewer never sees.
int glutLayerKey(const char* key);
}
