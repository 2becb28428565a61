#include "recorded_frame.h"

#include <cstring>

namespace {

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

bool sameFrame(const RecordedFrame& a, const RecordedFrame& b) {
  return same(a.vertices, b.vertices) && same(a.indices, b.indices) && sameRuns(a.runs, b.runs) &&
         sameStates(a.states, b.states);
}
