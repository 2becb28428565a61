#include "capture.h"

#include <GL/glut.h>

#include <cstddef>
#include <cstring>
#include <vector>

#include "render/frame.h"

Image readFrame() {
  drawFrame();
  return readBackBuffer();
}

Image readFrame(const Scene& scene, int* leftOut) {
  *leftOut = drawFrame(scene);
  return readBackBuffer();
}

Image readBackBuffer() {
  glFinish();
  Image image;
  image.width = glutGet(GLUT_WINDOW_WIDTH);
  image.height = glutGet(GLUT_WINDOW_HEIGHT);
  const std::size_t row = 3 * static_cast<std::size_t>(image.width);
  std::vector<unsigned char> bottomUp(row * image.height);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, image.width, image.height, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
  image.rgb.resize(bottomUp.size());
  // OpenGL's rows run bottom up; pictures run top down.
  for (int y = 0; y < image.height; ++y) {
    std::memcpy(&image.rgb[y * row], &bottomUp[(image.height - 1 - y) * row], row);
  }
  return image;
}
