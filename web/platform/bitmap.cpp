// The toolkit's 8 x 13 bitmap font at the raster position: each set pixel of a glyph drawn as
// one point in window coordinates, at the raster position's depth and in its colour, as large
// as one of the window's pixels on the drawing surface.
#include <algorithm>
#include <cmath>

#include "glyphs_8x13.h"
#include "layer.h"

float glyphPixel() { return std::max(1.0f, layer().scale); }

void drawGlyph(int character) {
  outsideBeginEnd("glutBitmapCharacter");
  Layer& l = layer();
  if (character <= 0 || character > 255 || !l.raster.valid) return;
  // Placed in the window's pixels, as the desktop places it, each of them `scale` across, but
  // never less than one of the surface's.
  const float s = glyphPixel();
  const int left = static_cast<int>(std::floor(l.raster.x / s)) + kGlyphLeft;
  const int bottom = static_cast<int>(std::floor(l.raster.y / s)) + kGlyphBottom;
  RecordedFrame& f = l.frame;
  const std::size_t plane = f.depthPlanes.size();  // added below when the glyph shows at all
  int n = 0;
  for (int row = 0; row < kGlyphHeight; ++row) {
    for (int column = 0; column < kGlyphWidth; ++column) {
      if ((kGlyphRows[character][row] >> (kGlyphWidth - 1 - column) & 1) == 0) continue;
      // The pixel's centre, in window coordinates, at the raster position's depth.
      f.vertices.push_back(
          windowVertex((static_cast<float>(left + column) + 0.5f) * s,
                       (static_cast<float>(bottom + kGlyphHeight - 1 - row) + 0.5f) * s, plane,
                       l.rasterColour));
      ++n;
    }
  }
  if (n > 0) {
    f.depthPlanes.push_back({{l.raster.z, 0.0f, 0.0f, 0.0f}});
    record(Command::kPoints, n);
  }
  l.raster.x += kGlyphAdvance * s;
}
