// Helpers for tests that draw with the real OpenGL in a real window of the viewer.
#pragma once

#include <GL/gl.h>

#include <functional>
#include <vector>

// Runs the viewer's start-up once in this process (a window on $DISPLAY) and resets the
// viewer state to its initial values.
void openViewer();

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
