// What the GL layer hands to WebGL 2 at the end of a frame: every vertex already lit, every
// line already the rectangle Mesa's rasteriser fills, and the clears and draws in the order the
// viewer issued them, each draw a run of primitives that share one state.
#pragma once

#include <cstdint>
#include <cstring>
#include <vector>

#include "pipeline/fixed_function.h"

// A vertex in 16 bytes, as few as WebGL takes a lit vertex in: what is sent for every frame
// is most of what a frame costs the browser.
struct DrawVertex {
  // In object coordinates, taken through the run's model-view-projection matrix; or, when
  // colour[3] says so, in window coordinates (x, y; y up) with the index of its depth plane.
  float position[3];
  // Lit, in the frame buffer's eight bits; the fourth is 255 for a position in window
  // coordinates (the canvas keeps no alpha).
  std::uint8_t colour[4];
};

// The depth a0 + dadx x + dady y of a line's or a bitmap's fragments at the desktop's pixel
// (x, y), y down, as Mesa's rasteriser gives them; the fourth is unused, so that a plane is one
// texel of WebGL's.
struct DepthPlane {
  float depth[4];
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
  std::vector<DepthPlane> depthPlanes;
  std::vector<Run> runs;
  std::vector<DrawState> states;
};

// A vertex in object coordinates, its lit colour (0 to 1 each) in eight bits.
DrawVertex objectVertex(const float position[3], const float colour[3]);
// A vertex at (x, y) in window coordinates, its fragments at the depth of `frame`'s plane
// `plane`.
DrawVertex windowVertex(float x, float y, std::size_t plane, const float colour[3]);

// Vectors of plain data (vertices, indices), compared byte for byte.
template <typename T>
inline bool same(const std::vector<T>& a, const std::vector<T>& b) {
  return a.size() == b.size() &&
         (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(T)) == 0);
}

// Whether two frames would draw the same.
bool sameFrame(const RecordedFrame& a, const RecordedFrame& b);
