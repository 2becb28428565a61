// What the GL layer hands to WebGL 2: the vertices drawn since the last flush, in drawing
// order, and the runs of them that share a primitive and a state. The fixed-function
// arithmetic is done in the shader (webgl.cpp) with the state's matrices and light.
#pragma once

#include <vector>

#include "fixed_function.h"

// How the shader takes a vertex.
enum class VertexKind : int {
  kLit = 0,     // a triangle's or a line's corner, lit with its normal
  kLine = 1,    // a corner of a line's rectangle, made in the shader from both ends
  kWindow = 2,  // a bitmap's pixel, already in window coordinates and coloured
};

struct WebGlVertex {
  float position[3];
  float other[3];  // a line's other end
  float normal[3];
  float colour[3];
  float kind;    // VertexKind
  float corner;  // a line's rectangle: 0 to 5, two triangles over the two ends
};

// Lines arrive as triangles, so a frame's quads and lines are drawn in one run, in order.
enum class Primitive { kTriangles, kPoints };

// The state a run of vertices is drawn with.
struct DrawState {
  Matrix modelview = identityMatrix();
  Matrix projection = identityMatrix();
  Lighting light;
  bool lighting = false;
  bool depthTest = false;
  float lineWidth = 1;
};

struct Run {
  Primitive primitive;
  int state;  // index into the flush's states
  int first, count;
};

// Opens WebGL 2 on the page's canvas, `width` x `height`; false when the browser has none.
bool openWebGl(int width, int height);
void clearWebGl(const float colour[4], bool clearColour, bool clearDepth);
// Draws the runs in order, all vertices sent at once.
void drawWebGl(const std::vector<WebGlVertex>& vertices, const std::vector<Run>& runs,
               const std::vector<DrawState>& states);
// The canvas's pixels, RGBA, bottom row first.
void readWebGl(int width, int height, unsigned char* rgba);
