#include "snapshot.h"

#include <GL/glut.h>
#include <png.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "render/frame.h"

Image readFrame() {
  drawFrame();
  return readBackBuffer();
}

Image readBackBuffer() {
  glFinish();
  Image image;
  image.width = glutGet(GLUT_WINDOW_WIDTH);
  image.height = glutGet(GLUT_WINDOW_HEIGHT);
  const size_t row = 3 * static_cast<size_t>(image.width);
  std::vector<unsigned char> bottomUp(row * image.height);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, image.width, image.height, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
  image.rgb.resize(bottomUp.size());
  for (int y = 0; y < image.height; ++y) {
    std::memcpy(&image.rgb[y * row], &bottomUp[(image.height - 1 - y) * row], row);
  }
  return image;
}

namespace {

using File = std::unique_ptr<FILE, int (*)(FILE*)>;

std::string systemError(const std::string& what, const std::string& path) {
  return what + " " + path + ": " + std::strerror(errno);
}

}  // namespace

std::string writePng(const Image& image, const std::string& path) {
  std::string temporary = path + ".XXXXXX";
  const int fd = mkstemp(temporary.data());
  if (fd < 0) return systemError("cannot write", path);
  // mkstemp makes the file private; give it the permissions any new file would get.
  const mode_t mask = umask(0);
  umask(mask);
  fchmod(fd, 0666 & ~mask);
  File file(fdopen(fd, "wb"), fclose);
  if (!file) {
    close(fd);
    unlink(temporary.c_str());
    return systemError("cannot write", path);
  }

  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  png.width = static_cast<png_uint_32>(image.width);
  png.height = static_cast<png_uint_32>(image.height);
  png.format = PNG_FORMAT_RGB;
  const bool encoded =
      png_image_write_to_stdio(&png, file.get(), 0, image.rgb.data(), 0, nullptr) != 0;
  const std::string pngError = png.message;
  png_image_free(&png);
  const bool flushed = fflush(file.get()) == 0 && fsync(fileno(file.get())) == 0;
  const bool closed = fclose(file.release()) == 0;
  if (!encoded || !flushed || !closed) {
    unlink(temporary.c_str());
    return encoded ? systemError("cannot write", path) : "cannot write " + path + ": " + pngError;
  }
  if (std::rename(temporary.c_str(), path.c_str()) != 0) {
    const std::string reason = systemError("cannot write", path);
    unlink(temporary.c_str());
    return reason;
  }
  return "";
}

std::string readPng(const std::string& path, Image* image) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  if (png_image_begin_read_from_file(&png, path.c_str()) == 0) {
    return "cannot read " + path + ": " + png.message;
  }
  png.format = PNG_FORMAT_RGB;
  image->width = static_cast<int>(png.width);
  image->height = static_cast<int>(png.height);
  image->rgb.assign(PNG_IMAGE_SIZE(png), 0);
  if (png_image_finish_read(&png, nullptr, image->rgb.data(), 0, nullptr) == 0) {
    const std::string reason = "cannot read " + path + ": " + png.message;
    png_image_free(&png);
    return reason;
  }
  return "";
}
