#include "webgl_program.h"

#include <cstdio>
#include <cstdlib>

namespace {

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
  failWebGl(what, log);
}

GLuint compile(GLenum type, const char* source) {
  const GLuint shader = emscripten_glCreateShader(type);
  emscripten_glShaderSource(shader, 1, &source, nullptr);
  emscripten_glCompileShader(shader);
  check(shader, GL_COMPILE_STATUS, "a shader does not compile", emscripten_glGetShaderiv,
        emscripten_glGetShaderInfoLog);
  return shader;
}

}  // namespace

void failWebGl(const char* what, const std::string& log) {
  std::fprintf(stderr, "normals: WebGL 2: %s\n%s\n", what, log.c_str());
  std::abort();
}

GLuint linkProgram(const char* vertexSource, const char* fragmentSource) {
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
