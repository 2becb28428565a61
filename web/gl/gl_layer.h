// What the GL layer offers the browser build's toolkit layer (glut_layer.cpp).
#pragma once

// The drawing surface's size, for the raster position's viewport.
void openGlLayer(int width, int height);
// Sends everything recorded since the last flush to WebGL.
void flushGlLayer();
// Draws one character of the 8 x 13 font at the raster position and advances it.
void drawGlyph(int character);
