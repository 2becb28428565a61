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
    fields >> g.file >> g.surface >> phase;
    g.animate = phase != "rest";
    g.phase = g.animate ? std::stof(phase) : 0.0f;
    cases.push_back(g);
  }
  return cases;
}

std::map<std::string, double> readMinShares(const std::string& path, const std::string& column,
                                            std::string* error) {
  std::ifstream in(path);
  std::vector<std::string> columns;
  std::map<std::string, double> shares;
  *error = "";
  for (std::string line; std::getline(in, line);) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    std::vector<std::string> words;
    for (std::string w; fields >> w;) words.push_back(w);
    if (columns.empty()) {
      columns = words;
      continue;
    }
    std::size_t k = 1;
    while (k < columns.size() && columns[k] != column) ++k;
    char* end = nullptr;
    const double share = k < words.size() ? std::strtod(words[k].c_str(), &end) : -1;
    if (k >= columns.size() || words.size() != columns.size() || *end != '\0' || share < 0 ||
        share > 100) {
      *error = path + ": no share of " + column + " in '" + line + "'";
      return {};
    }
    shares[words[0]] = share;
  }
  if (shares.empty()) *error = path + " cannot be read, or names no case";
  return shares;
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
