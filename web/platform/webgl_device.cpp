// The layer's frames drawn with WebGL 2. WebGL is called by its emscripten_gl* names only: the
// plain gl* names are the layer's own, for the viewer, and are not even declared here.
#define GL_GLES_PROTOTYPES 0
#include "webgl_device.h"

#include <emscripten/html5.h>
#include <webgl/webgl1.h>
#include <webgl/webgl2.h>

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "shaders.h"

namespace {

struct WebGl {
  GLuint program = 0, vertices = 0, indices = 0, vertexArray = 0;
  GLint modelViewProjection = -1, viewport = -1, pointSize = -1;
  // The last frame sent, so that the same frame is not sent again, nor the same indices.
  RecordedFrame last;
  bool lastShown = false;
  unsigned sent = 0;
};

WebGl& webGl() {
  static WebGl gl;
  return gl;
}

[[noreturn]] void fail(const char* what, const std::string& log) {
  std::fprintf(stderr, "normals: WebGL 2: %s\n%s\n", what, log.c_str());
  std::abort();
}

// Stops the program with `what` and the log of a shader or program whose `status` is not set,
// read with its own pair of calls.
void check(GLuint object, GLenum status, const char* what,
           void (*parameter)(GLuint, GLenum, GLint*),
           void (*infoLog)(GLuint, GLsizei, GLsizei*, GLchar*)) {
  GLint ok = 0;
  parameter(object, status, &ok);
  if (ok) return;
  GLint length = 0;
  parameter(object, GL_INFO_LOG_LENGTH, &length);
  std::string log(static_cast<std::size_t>(length > 0 ? length : 1), '\0');
  infoLog(object, length, nullptr, log.data());
  fail(what, log);
}

GLuint compile(GLenum type, const char* source) {
  const GLuint shader = emscripten_glCreateShader(type);
  emscripten_glShaderSource(shader, 1, &source, nullptr);
  emscripten_glCompileShader(shader);
  check(shader, GL_COMPILE_STATUS, "a shader does not compile", emscripten_glGetShaderiv,
        emscripten_glGetShaderInfoLog);
  return shader;
}

GLuint link(const char* vertexSource, const char* fragmentSource) {
  const GLuint program = emscripten_glCreateProgram();
  const GLuint vertex = compile(GL_VERTEX_SHADER, vertexSource);
  const GLuint fragment = compile(GL_FRAGMENT_SHADER, fragmentSource);
  emscripten_glAttachShader(program, vertex);
  emscripten_glAttachShader(program, fragment);
  emscripten_glLinkProgram(program);
  // The program keeps what it needs of them.
  emscripten_glDeleteShader(vertex);
  emscripten_glDeleteShader(fragment);
  check(program, GL_LINK_STATUS, "the program does not link", emscripten_glGetProgramiv,
        emscripten_glGetProgramInfoLog);
  return program;
}

void attribute(GLuint program, const char* name, int size, std::size_t offset) {
  const GLint location = emscripten_glGetAttribLocation(program, name);
  if (location < 0) fail("the program lacks an input", name);
  emscripten_glEnableVertexAttribArray(static_cast<GLuint>(location));
  emscripten_glVertexAttribPointer(static_cast<GLuint>(location), size, GL_FLOAT, GL_FALSE,
                                   sizeof(DrawVertex), reinterpret_cast<const void*>(offset));
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
  gl.program = link(kVertexShader, kFragmentShader);
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
  attribute(gl.program, "position", 3, offsetof(DrawVertex, position));
  attribute(gl.program, "colour", 3, offsetof(DrawVertex, colour));
  attribute(gl.program, "depth", 3, offsetof(DrawVertex, depth));
  attribute(gl.program, "space", 1, offsetof(DrawVertex, space));
  return true;
}

void drawWebGl(const RecordedFrame& frame) {
  WebGl& gl = webGl();
  // The picture on the canvas stays until something new is drawn.
  if (gl.lastShown && sameFrame(frame, gl.last)) return;
  if (!same(frame.vertices, gl.last.vertices)) {
    emscripten_glBufferData(GL_ARRAY_BUFFER,
                            static_cast<GLsizeiptr>(frame.vertices.size() * sizeof(DrawVertex)),
                            frame.vertices.data(), GL_STREAM_DRAW);
  }
  if (!same(frame.indices, gl.last.indices)) {
    emscripten_glBufferData(GL_ELEMENT_ARRAY_BUFFER,
                            static_cast<GLsizeiptr>(frame.indices.size() * sizeof(std::uint32_t)),
                            frame.indices.data(), GL_STREAM_DRAW);
  }
  gl.last = frame;
  gl.lastShown = true;
  ++gl.sent;
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

void drawNextFrameAnyway() { webGl().lastShown = false; }

unsigned framesSentToWebGl() { return webGl().sent; }

void readWebGl(int x, int y, int width, int height, unsigned char* rgba) {
  emscripten_glReadPixels(x, y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
}
