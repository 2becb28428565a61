#include "golden.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

std::vector<GoldenCase> readGoldenCases(const std::string& folder) {
  std::vector<GoldenCase> cases;
  std::ifstream in(folder + "/cases.txt");
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    GoldenCase g{};
    std::string phase;
    fields >> g.file >> g.surface >> phase >> g.firefoxOff >> g.chromiumOff >> g.slack;
    g.animate = phase != "rest";
    g.phase = g.animate ? std::stof(phase) : 0.0f;
    cases.push_back(g);
  }
  return cases;
}

int measuredOff(const GoldenCase& g, const std::string& browser) {
  return browser == "firefox" ? g.firefoxOff : browser == "chromium" ? g.chromiumOff : -1;
}

Comparison compareImages(const Image& seen, const Image& reference, int levels) {
  Comparison c;
  c.difference = reference;
  for (int y = 0; y < reference.height; ++y) {
    for (int x = 0; x < reference.width; ++x) {
      unsigned char* p = &c.difference.rgb[3 * (static_cast<size_t>(y) * reference.width + x)];
      const bool same = near(seen.at(x, y), reference.at(x, y), levels);
      if (!same && c.differing++ == 0) c.first = {x, y, seen.at(x, y), reference.at(x, y)};
      for (int k = 0; k < 3; ++k) {
        p[k] = same ? static_cast<unsigned char>(p[k] / 4) : (k < 2 ? 255 : 0);
      }
    }
  }
  return c;
}

double shareWithin(const Comparison& c, const Image& reference) {
  const double pixels = static_cast<double>(reference.width) * reference.height;
  return 100 * (pixels - c.differing) / pixels;
}

bool passes(const Comparison& c, const Image& reference, double minShare) {
  return minShare >= 0 ? shareWithin(c, reference) >= minShare
                       : c.differing <= kGoldenPixelTolerance;
}

bool passes(const Comparison& c, int measured, int slack) {
  return std::abs(c.differing - measured) <= slack;
}

Image averagedDown(const Image& picture, int scale) {
  Image out;
  out.width = picture.width / scale;
  out.height = picture.height / scale;
  out.rgb.resize(3 * static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height));
  for (int y = 0; y < out.height; ++y) {
    for (int x = 0; x < out.width; ++x) {
      for (int k = 0; k < 3; ++k) {
        int sum = 0;
        for (int dy = 0; dy < scale; ++dy) {
          for (int dx = 0; dx < scale; ++dx) {
            sum += picture.rgb[3 * (static_cast<std::size_t>(y * scale + dy) * picture.width +
                                    static_cast<std::size_t>(x * scale + dx)) +
                               k];
          }
        }
        const int n = scale * scale;
        out.rgb[3 * (static_cast<std::size_t>(y) * out.width + x) + k] =
            static_cast<unsigned char>((2 * sum + n) / (2 * n));
      }
    }
  }
  return out;
}

int captionPixelsOff(const Image& seen, const Image& reference, int scale, int levels) {
  int off = 0;
  for (int y = kCaptionTop * scale; y <= kCaptionBottom * scale + scale - 1; ++y) {
    for (int x = 0; x < seen.width; ++x) {
      const int rx = x / scale;
      if (rx >= kAxisLeft && rx <= kAxisRight) continue;
      if (!near(seen.at(x, y), reference.at(rx, y / scale), levels)) ++off;
    }
  }
  return off;
}
