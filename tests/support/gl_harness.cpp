#include "gl_harness.h"

#include <GL/glut.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "app/startup.h"
#include "app/viewer_state.h"

void openViewer() {
  static bool started = false;
  if (!started) {
    if (std::getenv("DISPLAY") == nullptr) {
      std::fprintf(stderr, "No X display: run the tests with ./scripts/test.sh.\n");
      std::exit(1);
    }
    startViewer("normals_tests");
    started = true;
  }
  viewerState = ViewerState{};
}

std::vector<Primitive> feedback(const std::function<void()>& draw) {
  // A frame is about 441 * (2 triangles + 5 line segments) primitives of 7 floats per vertex.
  std::vector<GLfloat> buffer(1 << 20);
  glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR, buffer.data());
  glRenderMode(GL_FEEDBACK);
  draw();
  const GLint used = glRenderMode(GL_RENDER);
  EXPECT_GE(used, 0) << "feedback buffer overflowed";

  std::vector<Primitive> out;
  auto vertexAt = [&](GLint& i) {
    FeedbackVertex v{buffer[i],     buffer[i + 1], buffer[i + 2], buffer[i + 3],
                     buffer[i + 4], buffer[i + 5], buffer[i + 6]};
    i += 7;
    return v;
  };
  for (GLint i = 0; i < used;) {
    const auto token = static_cast<GLenum>(buffer[i++]);
    Primitive p{token, {}};
    switch (token) {
      case GL_POLYGON_TOKEN: {
        const auto n = static_cast<int>(buffer[i++]);
        for (int k = 0; k < n; ++k) p.vertices.push_back(vertexAt(i));
        break;
      }
      case GL_LINE_TOKEN:
      case GL_LINE_RESET_TOKEN:
        p.token = GL_LINE_TOKEN;
        p.vertices.push_back(vertexAt(i));
        p.vertices.push_back(vertexAt(i));
        break;
      case GL_POINT_TOKEN:
      case GL_BITMAP_TOKEN:
      case GL_DRAW_PIXEL_TOKEN:
      case GL_COPY_PIXEL_TOKEN:
        p.vertices.push_back(vertexAt(i));
        break;
      case GL_PASS_THROUGH_TOKEN:
        ++i;
        break;
      default:
        ADD_FAILURE() << "unknown feedback token " << token;
        return out;
    }
    out.push_back(p);
  }
  return out;
}
