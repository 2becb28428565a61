#include "icon.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// How much of source pixel i (of kIconSource) the icon pixel o covers, for each i it touches.
struct Span {
  int first;
  std::vector<double> weights;
};
Span span(int o, double scale) {
  const double from = o * scale, to = (o + 1) * scale;
  Span s{static_cast<int>(std::floor(from)), {}};
  for (int i = s.first; i < to; ++i) {
    s.weights.push_back(std::min<double>(i + 1, to) - std::max<double>(i, from));
  }
  return s;
}

}  // namespace

Image iconFromFrame(const Image& frame, int size) {
  const int left = (frame.width - kIconSource) / 2, top = (frame.height - kIconSource) / 2;
  const double scale = static_cast<double>(kIconSource) / size;
  Image icon{size, size, std::vector<unsigned char>(3 * static_cast<size_t>(size) * size)};
  for (int oy = 0; oy < size; ++oy) {
    const Span rows = span(oy, scale);
    for (int ox = 0; ox < size; ++ox) {
      const Span columns = span(ox, scale);
      double sum[3] = {0, 0, 0};
      for (size_t j = 0; j < rows.weights.size(); ++j) {
        for (size_t i = 0; i < columns.weights.size(); ++i) {
          const Rgb c = frame.at(left + columns.first + static_cast<int>(i),
                                 top + rows.first + static_cast<int>(j));
          const double w = rows.weights[j] * columns.weights[i];
          sum[0] += c.r * w;
          sum[1] += c.g * w;
          sum[2] += c.b * w;
        }
      }
      for (int k = 0; k < 3; ++k) {
        icon.rgb[3 * (static_cast<size_t>(oy) * size + ox) + k] =
            static_cast<unsigned char>(std::lround(sum[k] / (scale * scale)));
      }
    }
  }
  return icon;
}
