// Helpers for tests that draw with the real OpenGL in a real window of the viewer.
#pragma once

#include <GL/gl.h>

#include <functional>
#include <string>
#include <vector>

// Runs the viewer's start-up once in this process (a window on $DISPLAY) and resets the
// viewer state to its initial values.
void openViewer();

struct Rgb {
  int r, g, b;
};

// An 8-bit RGB image, row 0 at the top.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> rgb;
  Rgb at(int x, int y) const {
    const unsigned char* p = &rgb[3 * (static_cast<size_t>(y) * width + x)];
    return {p[0], p[1], p[2]};
  }
};

// Draws one frame with the viewer's own code and reads it back from the back buffer.
Image renderFrame();

// True when every channel is within `tolerance` 8-bit levels.
bool near(Rgb a, Rgb b, int tolerance);
Rgb toRgb(double r, double g, double b);

// One primitive returned by feedback mode (GL_3D_COLOR): its token and its vertices.
struct FeedbackVertex {
  float x, y, z, r, g, b, a;
};
struct Primitive {
  GLenum token;  // GL_POLYGON_TOKEN, GL_LINE_TOKEN (also for resets), GL_BITMAP_TOKEN, ...
  std::vector<FeedbackVertex> vertices;
};

// Runs `draw` in feedback mode and returns what OpenGL made of it.
std::vector<Primitive> feedback(const std::function<void()>& draw);
