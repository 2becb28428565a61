// The WebGL 2 program the layer draws with, compiled and linked from its two shaders; a shader
// that does not compile or a program that does not link stops the layer with WebGL's log.
#pragma once

#define GL_GLES_PROTOTYPES 0
#include <webgl/webgl1.h>
#include <webgl/webgl2.h>

#include <string>

// Stops the program, saying what of WebGL failed and its log.
[[noreturn]] void failWebGl(const char* what, const std::string& log);

GLuint linkProgram(const char* vertexSource, const char* fragmentSource);
