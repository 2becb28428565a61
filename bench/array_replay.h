// The viewer's picture replayed from vertex arrays filled once: the fastest way this OpenGL
// can put up the same pixels, and so the yardstick for the immediate-mode frame.
#pragma once

#include <GL/gl.h>

#include <vector>

class ArrayReplay {
 public:
  // Fills the arrays with the cells of `surface` at rest.
  explicit ArrayReplay(unsigned surface);
  // Draws a whole frame (without the buffer swap) from the arrays.
  void draw() const;

 private:
  std::vector<GLfloat> vertices_, normals_, colours_;
};
