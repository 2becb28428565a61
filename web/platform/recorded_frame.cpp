#include "recorded_frame.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

void setColour(const float colour[3], std::uint8_t alpha, std::uint8_t out[4]) {
  for (int k = 0; k < 3; ++k) {
    out[k] = static_cast<std::uint8_t>(colourLevel(colour[k]));
  }
  out[3] = alpha;
}

bool sameRuns(const std::vector<Run>& a, const std::vector<Run>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    const Run &x = a[i], &y = b[i];
    if (x.command != y.command || x.state != y.state || x.first != y.first || x.count != y.count ||
        x.clearColour != y.clearColour || x.clearDepth != y.clearDepth ||
        std::memcmp(x.colour, y.colour, sizeof x.colour) != 0) {
      return false;
    }
  }
  return true;
}

bool sameStates(const std::vector<DrawState>& a, const std::vector<DrawState>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i].depthTest != b[i].depthTest ||
        std::memcmp(a[i].modelViewProjection.m, b[i].modelViewProjection.m, sizeof(Matrix)) != 0) {
      return false;
    }
  }
  return true;
}

}  // namespace

DrawVertex objectVertex(const float position[3], const float colour[3]) {
  DrawVertex v{};
  for (int k = 0; k < 3; ++k) v.position[k] = position[k];
  setColour(colour, 0, v.colour);
  return v;
}

DrawVertex windowVertex(float x, float y, std::size_t plane, const float colour[3]) {
  DrawVertex v{{x, y, static_cast<float>(plane)}, {}};
  setColour(colour, 255, v.colour);
  return v;
}

bool sameFrame(const RecordedFrame& a, const RecordedFrame& b) {
  return same(a.vertices, b.vertices) && same(a.indices, b.indices) &&
         same(a.depthPlanes, b.depthPlanes) && sameRuns(a.runs, b.runs) &&
         sameStates(a.states, b.states);
}
