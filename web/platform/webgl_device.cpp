// The layer's frames drawn with WebGL 2. WebGL is called by its emscripten_gl* names only: the
// plain gl* names are the layer's own, for the viewer, and are not even declared here.
#define GL_GLES_PROTOTYPES 0
#include "webgl_device.h"

#include <emscripten/html5.h>

#include <cstddef>

#include "shaders.h"
#include "webgl_program.h"

namespace {

// Depth planes a row of their texture.
constexpr int kDepthPlaneRow = 1024;

struct WebGl {
  GLuint program = 0, vertices = 0, indices = 0, vertexArray = 0, depthPlanes = 0;
  GLint modelViewProjection = -1, viewport = -1, pointSize = -1;
  // What the buffers and the texture hold room for; each grows, never shrinks, so that a frame
  // is sent into the room the last one had.
  std::size_t vertexRoom = 0, depthPlaneRows = 0;
  // The last frame sent, so that the same frame is not sent again, nor the same indices.
  RecordedFrame last;
  bool lastShown = false;
};

WebGl& webGl() {
  static WebGl gl;
  return gl;
}

void attribute(GLuint program, const char* name, int size, GLenum type, GLboolean normalised,
               std::size_t offset) {
  const GLint location = emscripten_glGetAttribLocation(program, name);
  if (location < 0) failWebGl("the program lacks an input", name);
  emscripten_glEnableVertexAttribArray(static_cast<GLuint>(location));
  emscripten_glVertexAttribPointer(static_cast<GLuint>(location), size, type, normalised,
                                   sizeof(DrawVertex), reinterpret_cast<const void*>(offset));
}

void sendVertices(WebGl& gl, const std::vector<DrawVertex>& vertices) {
  const std::size_t bytes = vertices.size() * sizeof(DrawVertex);
  if (bytes > gl.vertexRoom) {
    gl.vertexRoom = bytes;
    emscripten_glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(bytes), nullptr,
                            GL_DYNAMIC_DRAW);
  }
  emscripten_glBufferSubData(GL_ARRAY_BUFFER, 0, static_cast<GLsizeiptr>(bytes), vertices.data());
}

// The planes as texels, row after row: whole rows, then what is left of the last.
void sendDepthPlanes(WebGl& gl, const std::vector<DepthPlane>& planes) {
  const std::size_t rows = (planes.size() + kDepthPlaneRow - 1) / kDepthPlaneRow;
  if (rows > gl.depthPlaneRows) {
    gl.depthPlaneRows = rows;
    emscripten_glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA32F, kDepthPlaneRow,
                            static_cast<GLsizei>(rows), 0, GL_RGBA, GL_FLOAT, nullptr);
  }
  const std::size_t whole = planes.size() / kDepthPlaneRow, left = planes.size() % kDepthPlaneRow;
  if (whole > 0) {
    emscripten_glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, kDepthPlaneRow, static_cast<GLsizei>(whole),
                               GL_RGBA, GL_FLOAT, planes.data());
  }
  if (left > 0) {
    emscripten_glTexSubImage2D(GL_TEXTURE_2D, 0, 0, static_cast<GLint>(whole),
                               static_cast<GLsizei>(left), 1, GL_RGBA, GL_FLOAT,
                               planes.data() + whole * kDepthPlaneRow);
  }
}

void useState(const WebGl& gl, const DrawState& s) {
  emscripten_glUniformMatrix4fv(gl.modelViewProjection, 1, GL_FALSE, s.modelViewProjection.m);
  if (s.depthTest) {
    emscripten_glEnable(GL_DEPTH_TEST);
  } else {
    emscripten_glDisable(GL_DEPTH_TEST);
  }
}

}  // namespace

bool openWebGl(const char* selector, int width, int height) {
  EmscriptenWebGLContextAttributes attributes;
  emscripten_webgl_init_context_attributes(&attributes);
  attributes.majorVersion = 2;
  attributes.minorVersion = 0;
  attributes.alpha = false;
  attributes.depth = true;
  attributes.stencil = false;
  attributes.antialias = false;
  attributes.preserveDrawingBuffer = false;
  attributes.failIfMajorPerformanceCaveat = false;
  const EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context =
      emscripten_webgl_create_context(selector, &attributes);
  if (context <= 0 || emscripten_webgl_make_context_current(context) != EMSCRIPTEN_RESULT_SUCCESS) {
    return false;
  }
  WebGl& gl = webGl();
  gl.program = linkProgram(kVertexShader, kFragmentShader);
  emscripten_glUseProgram(gl.program);
  gl.modelViewProjection = emscripten_glGetUniformLocation(gl.program, "modelViewProjection");
  gl.viewport = emscripten_glGetUniformLocation(gl.program, "viewport");
  gl.pointSize = emscripten_glGetUniformLocation(gl.program, "pointSize");
  resizeWebGl(selector, width, height, 1.0f);

  emscripten_glGenVertexArrays(1, &gl.vertexArray);
  emscripten_glBindVertexArray(gl.vertexArray);
  emscripten_glGenBuffers(1, &gl.vertices);
  emscripten_glBindBuffer(GL_ARRAY_BUFFER, gl.vertices);
  emscripten_glGenBuffers(1, &gl.indices);
  emscripten_glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, gl.indices);
  attribute(gl.program, "position", 3, GL_FLOAT, GL_FALSE, offsetof(DrawVertex, position));
  attribute(gl.program, "colour", 4, GL_UNSIGNED_BYTE, GL_TRUE, offsetof(DrawVertex, colour));

  emscripten_glGenTextures(1, &gl.depthPlanes);
  emscripten_glBindTexture(GL_TEXTURE_2D, gl.depthPlanes);
  // Read texel by texel: a float texture is complete only without filtering.
  emscripten_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  emscripten_glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  emscripten_glUniform1i(emscripten_glGetUniformLocation(gl.program, "depthPlanes"), 0);
  return true;
}

void drawWebGl(const RecordedFrame& frame) {
  WebGl& gl = webGl();
  // The picture on the canvas stays until something new is drawn.
  if (gl.lastShown && sameFrame(frame, gl.last)) return;
  if (!same(frame.vertices, gl.last.vertices)) sendVertices(gl, frame.vertices);
  if (!same(frame.depthPlanes, gl.last.depthPlanes)) sendDepthPlanes(gl, frame.depthPlanes);
  if (!same(frame.indices, gl.last.indices)) {
    emscripten_glBufferData(GL_ELEMENT_ARRAY_BUFFER,
                            static_cast<GLsizeiptr>(frame.indices.size() * sizeof(std::uint32_t)),
                            frame.indices.data(), GL_STREAM_DRAW);
  }
  gl.last = frame;
  gl.lastShown = true;
  int current = -1;
  for (const Run& run : frame.runs) {
    if (run.command == Command::kClear) {
      emscripten_glClearColor(run.colour[0], run.colour[1], run.colour[2], run.colour[3]);
      emscripten_glClear((run.clearColour ? GL_COLOR_BUFFER_BIT : 0) |
                         (run.clearDepth ? GL_DEPTH_BUFFER_BIT : 0));
      continue;
    }
    if (run.state != current) {
      current = run.state;
      useState(gl, frame.states[static_cast<std::size_t>(current)]);
    }
    if (run.command == Command::kTriangles) {
      emscripten_glDrawElements(GL_TRIANGLES, run.count, GL_UNSIGNED_INT,
                                reinterpret_cast<const void*>(run.first * sizeof(std::uint32_t)));
    } else {
      emscripten_glDrawArrays(GL_POINTS, run.first, run.count);
    }
  }
}

void resizeWebGl(const char* selector, int width, int height, float pointSize) {
  WebGl& gl = webGl();
  emscripten_set_canvas_element_size(selector, width, height);
  emscripten_glUniform2f(gl.viewport, static_cast<float>(width), static_cast<float>(height));
  emscripten_glUniform1f(gl.pointSize, pointSize);
  emscripten_glViewport(0, 0, width, height);
  gl.lastShown = false;  // a new drawing buffer holds nothing yet
}
