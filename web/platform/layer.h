// The GL layer's own state, shared by the files that implement OpenGL's calls: the state
// machine, the primitive being built between glBegin and glEnd, and the frame recorded so far.
#pragma once

#include <GL/gl.h>

#include <vector>

#include "pipeline/fixed_function.h"
#include "gl_layer.h"
#include "recorded_frame.h"

struct Layer {
  Matrix modelview = identityMatrix();
  Matrix projection = identityMatrix();
  GLenum matrixMode = GL_MODELVIEW;
  Lighting light;
  bool lighting = false, depthTest = false;
  float lineWidth = 1;
  float clearColour[4] = {0, 0, 0, 0};
  float colour[3] = {1, 1, 1};
  float normal[3] = {0, 0, 1};
  bool stateChanged = true;   // since the last run began
  int width = 0, height = 0;  // the drawing surface, in its own pixels
  float scale = 1;            // its pixels to one of the window's: lines and bitmaps grow by it
  FrameSink sink = nullptr;

  // Between glBegin and glEnd: each vertex's position and lit colour.
  bool inside = false;
  GLenum mode = 0;
  struct Corner {
    float position[3], colour[3];
  };
  std::vector<Corner> primitive;

  RasterPosition raster{};
  float rasterColour[3] = {1, 1, 1};
  RecordedFrame frame;
};

Layer& layer();

// Stops the program: `what` is not part of the browser build's OpenGL.
[[noreturn]] void refuse(const char* what);
[[noreturn]] void refuse(const char* call, unsigned value);
// For a call GL forbids between glBegin and glEnd: refuses it there.
void outsideBeginEnd(const char* call);
// For a call that changes the state: refuses it between glBegin and glEnd, and otherwise notes
// the change, so that what follows is recorded in a run of its own.
void stateCall(const char* call);
// The lit colour of `colour` with `normal` under the current state, as the fixed-function
// pipeline lights a vertex.
void lightVertex(const float colour[3], const float normal[3], float out[3]);
// Appends a run's worth of primitives, extending the last run while command and state hold.
void record(Command command, int count);
