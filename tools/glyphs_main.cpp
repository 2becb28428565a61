// normals-glyphs: writes, as a C++ header on standard output, the bitmap font the viewer's
// captions use, read back pixel by pixel from the toolkit itself: each character drawn with
// glutBitmapCharacter in a window on the X display, then read back from OpenGL. The browser
// build draws its captions from this header (web/platform/glyphs_8x13.h); running the program again
// makes the header again.
#include <GL/glut.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr int kSide = 64;       // the window
constexpr double kOrigin = 24;  // where each character starts, in window pixels
constexpr int kWidth = 8, kHeight = 13;

// The inked pixels of character `c` drawn at (x, y), as a kSide x kSide mask, bottom row
// first; the raster position's advance is returned in `advance`.
std::vector<bool> drawn(int c, double x, double y, float* advance) {
  glClear(GL_COLOR_BUFFER_BIT);
  glRasterPos2d(x, y);
  glutBitmapCharacter(GLUT_BITMAP_8_BY_13, c);
  GLfloat after[4];
  glGetFloatv(GL_CURRENT_RASTER_POSITION, after);
  *advance = static_cast<float>(after[0] - x);
  std::vector<unsigned char> pixels(kSide * kSide);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, kSide, kSide, GL_RED, GL_UNSIGNED_BYTE, pixels.data());
  std::vector<bool> ink(pixels.size());
  for (size_t i = 0; i < pixels.size(); ++i) ink[i] = pixels[i] > 127;
  return ink;
}

[[noreturn]] void fail(const char* what, int c) {
  std::fprintf(stderr, "normals-glyphs: character %d %s\n", c, what);
  std::exit(1);
}

}  // namespace

int main(int argc, char** argv) {
  glutInit(&argc, argv);
  glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE);
  glutInitWindowSize(kSide, kSide);
  glutCreateWindow("normals-glyphs");
  glViewport(0, 0, kSide, kSide);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, kSide, 0, kSide, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glClearColor(0, 0, 0, 1);
  glColor3f(1, 1, 1);
  glDrawBuffer(GL_BACK);
  glReadBuffer(GL_BACK);

  // Every glyph's ink must lie in one 8 x 13 box at a fixed offset from the raster position,
  // found from the glyphs themselves, wherever in its pixel the raster position falls.
  int left = kSide, bottom = kSide, right = -1, top = -1;
  std::vector<std::vector<bool>> glyphs;
  for (int c = 0; c < 256; ++c) {
    float advance = 0, other = 0;
    glyphs.push_back(drawn(c, kOrigin + 0.25, kOrigin + 0.25, &advance));
    if (drawn(c, kOrigin + 0.75, kOrigin + 0.75, &other) != glyphs.back()) {
      fail("moves within its pixel", c);
    }
    // The toolkit draws nothing for character 0, and does not move.
    const float expected = c == 0 ? 0 : kWidth;
    if (advance != expected || other != expected) fail("does not advance as expected", c);
    for (int y = 0; y < kSide; ++y) {
      for (int x = 0; x < kSide; ++x) {
        if (!glyphs.back()[y * kSide + x]) continue;
        left = std::min(left, x);
        right = std::max(right, x);
        bottom = std::min(bottom, y);
        top = std::max(top, y);
      }
    }
  }
  if (right - left >= kWidth || top - bottom >= kHeight) fail("(some) is larger than 8 x 13", -1);
  // The box's bottom row is the lowest row any glyph inks; its left column likewise, kept
  // within the 8 columns a character advances.
  left = std::min(left, right - kWidth + 1);
  std::printf(
      "// The 8 x 13 bitmap font of the viewer's captions, as the toolkit draws it. Made by\n"
      "// normals-glyphs from the toolkit itself (scripts/make-glyphs.sh); do not edit.\n"
      "#pragma once\n\n"
      "// Each glyph's box, from the pixel the raster position falls in: its left column and\n"
      "// bottom row. A character advances the raster position by kGlyphAdvance pixels; the\n"
      "// toolkit ignores character 0, which neither draws nor advances.\n"
      "constexpr int kGlyphLeft = %d;\n"
      "constexpr int kGlyphBottom = %d;\n"
      "constexpr int kGlyphWidth = %d;\n"
      "constexpr int kGlyphHeight = %d;\n"
      "constexpr int kGlyphAdvance = %d;\n\n"
      "// Rows from the top, the leftmost pixel in the highest bit.\n"
      "constexpr unsigned char kGlyphRows[256][%d] = {\n",
      left - static_cast<int>(kOrigin), bottom - static_cast<int>(kOrigin), kWidth, kHeight, kWidth,
      kHeight);
  for (int c = 0; c < 256; ++c) {
    std::printf("    {");
    for (int row = 0; row < kHeight; ++row) {
      const int y = bottom + kHeight - 1 - row;
      unsigned bits = 0;
      for (int x = 0; x < kWidth; ++x) bits = bits << 1 | glyphs[c][y * kSide + left + x];
      std::printf("0x%02x%s", bits, row + 1 < kHeight ? ", " : "");
    }
    if (c > 32 && c < 127 && c != '\\') {
      std::printf("},  // %c\n", c);
    } else {
      std::printf("},  // %d\n", c);
    }
  }
  std::printf("};\n");
  return 0;
}
