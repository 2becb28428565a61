// What the GL layer hands to WebGL 2 at the end of a frame: every vertex already lit, every
// line already the rectangle Mesa's rasteriser fills, and the clears and draws in the order the
// viewer issued them, each draw a run of primitives that share one state.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

#include "fixed_function.h"

// Where a vertex's position is given.
enum class Space : int {
  kObject = 0,  // object coordinates, taken through the run's model-view-projection matrix
  kWindow = 1,  // window coordinates (y up), the depth from the vertex's depth plane
};

struct DrawVertex {
  float position[3];
  float colour[3];  // lit
  float depth[3];   // kWindow: a0 + dadx x + dady y at the desktop's pixel (x, y), y down
  float space;      // Space
};

enum class Command { kClear, kTriangles, kPoints };

// The state a run is drawn with.
struct DrawState {
  Matrix modelViewProjection = identityMatrix();
  bool depthTest = false;
};

struct Run {
  Command command;
  int state;         // into `states`
  int first, count;  // kTriangles: into `indices`; kPoints: into `vertices`
  bool clearColour, clearDepth;
  float colour[4];  // kClear
};

struct RecordedFrame {
  std::vector<DrawVertex> vertices;
  std::vector<std::uint32_t> indices;  // three a triangle
  std::vector<Run> runs;
  std::vector<DrawState> states;
};

// Vectors of plain data (vertices, indices), compared byte for byte.
template <typename T>
inline bool same(const std::vector<T>& a, const std::vector<T>& b) {
  return a.size() == b.size() &&
         (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(T)) == 0);
}

// Whether two frames would draw the same.
bool sameFrame(const RecordedFrame& a, const RecordedFrame& b);
