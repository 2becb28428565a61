#include "png_file.h"

#include <png.h>

#include "atomic_file.h"

std::string writePng(const Image& image, const std::string& path) {
  return writeAtomically(path, [&](std::FILE* file) -> std::string {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(image.width);
    png.height = static_cast<png_uint_32>(image.height);
    png.format = PNG_FORMAT_RGB;
    const bool encoded = png_image_write_to_stdio(&png, file, 0, image.rgb.data(), 0, nullptr) != 0;
    const std::string reason = encoded ? "" : "cannot write " + path + ": " + png.message;
    png_image_free(&png);
    return reason;
  });
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
