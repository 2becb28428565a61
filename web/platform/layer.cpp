// The GL layer's own state and the frame it records: where runs begin and end, how a vertex
// is lit, and what stops the program.
#include "layer.h"

#include <cstdio>
#include <cstdlib>

Layer& layer() {
  static Layer l;
  return l;
}

void refuse(const char* what) {
  std::fprintf(stderr, "normals: the browser build's OpenGL refuses %s\n", what);
  std::abort();
}

void refuse(const char* call, unsigned value) {
  std::fprintf(stderr, "normals: %s(0x%04x) is not part of the browser build's OpenGL\n", call,
               value);
  std::abort();
}

void outsideBeginEnd(const char* call) {
  if (!layer().inside) return;
  std::fprintf(stderr, "normals: the browser build's OpenGL refuses %s between glBegin and glEnd\n",
               call);
  std::abort();
}

void stateCall(const char* call) {
  outsideBeginEnd(call);
  layer().stateChanged = true;
}

void lightVertex(const float colour[3], const float normal[3], float out[3]) {
  const Layer& l = layer();
  if (!l.lighting) {
    for (int k = 0; k < 3; ++k) out[k] = colour[k];
    return;
  }
  float eye[3];
  eyeNormal(l.modelview, normal, eye);
  litColour(l.light, colour, eye, out);
}

void record(Command command, int count) {
  Layer& l = layer();
  RecordedFrame& f = l.frame;
  if (l.stateChanged || f.states.empty()) {
    DrawState s;
    s.modelViewProjection = multiply(l.projection, l.modelview);
    s.depthTest = l.depthTest;
    f.states.push_back(s);
    l.stateChanged = false;
  }
  const int state = static_cast<int>(f.states.size()) - 1;
  if (f.runs.empty() || f.runs.back().command != command || f.runs.back().state != state) {
    const int first = static_cast<int>(command == Command::kPoints ? f.vertices.size() - count
                                                                   : f.indices.size() - count);
    f.runs.push_back({command, state, first, 0, false, false, {0, 0, 0, 0}});
  }
  f.runs.back().count += count;
}

void openGlLayer(int width, int height, FrameSink sink) {
  Layer& l = layer();
  l = Layer{};  // a new context starts from OpenGL's initial state
  l.width = width;
  l.height = height;
  l.sink = sink;
}

void resizeGlLayer(int width, int height, float scale) {
  Layer& l = layer();
  l.width = width;
  l.height = height;
  l.scale = scale;
}

void flushGlLayer() {
  Layer& l = layer();
  if (l.inside) refuse("a frame ended between glBegin and glEnd");
  if (!l.frame.runs.empty() && l.sink != nullptr) l.sink(l.frame);
  l.frame.vertices.clear();
  l.frame.indices.clear();
  l.frame.depthPlanes.clear();
  l.frame.runs.clear();
  l.frame.states.clear();
  l.stateChanged = true;
}
