#include "array_replay.h"

#include "app/viewer_state.h"
#include "geometry/cell.h"
#include "render/frame.h"
#include "render/mesh.h"

namespace {
constexpr GLint kVerticesPerCell = 10;  // quad 4, outline 4, normal line 2
}

// Cell by cell, in the frame's order: where a line and a quad meet at equal depth, whichever is
// drawn first keeps the pixel, so drawing all quads before all lines would put up a different
// picture. Colours and normals come from arrays too, so that nothing but the primitive changes
// between two draws.
ArrayReplay::ArrayReplay(unsigned surface) {
  viewerState.surfaceIndex = surface;
  viewerState.animate = false;
  auto put = [this](const Vector3& p, double lift, const Vector3& n, GLfloat r, GLfloat g,
                    GLfloat b) {
    vertices_.insert(vertices_.end(), {static_cast<GLfloat>(p.x), static_cast<GLfloat>(p.y + lift),
                                       static_cast<GLfloat>(p.z)});
    normals_.insert(normals_.end(), {static_cast<GLfloat>(n.x), static_cast<GLfloat>(n.y),
                                     static_cast<GLfloat>(n.z)});
    colours_.insert(colours_.end(), {r, g, b});
  };
  sweepGrid([&](double u, double uNext, double v, double vNext) {
    const Cell c = cellAt(surface, u, uNext, v, vNext);
    const Vector3 corners[] = {c.p00, c.p01, c.p11, c.p10};
    const Vector3 none{};
    for (const Vector3& p : corners) put(p, 0, c.normal, 1, 1, 1);
    for (const Vector3& p : corners) put(p, kOutlineLift, none, 0, 0, 0);
    put(c.centre, 0, none, 1, 0, 0);
    put(c.lineEnd, 0, none, 1, 0, 0);
  });
}

void ArrayReplay::draw() const {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glColor3f(1, 1, 1);
  loadCamera();
  drawAxes();
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_NORMAL_ARRAY);
  glEnableClientState(GL_COLOR_ARRAY);
  glVertexPointer(3, GL_FLOAT, 0, vertices_.data());
  glNormalPointer(GL_FLOAT, 0, normals_.data());
  glColorPointer(3, GL_FLOAT, 0, colours_.data());
  for (GLint i = 0; i < kGridSize * kGridSize; ++i) {
    glDrawArrays(GL_QUADS, i * kVerticesPerCell, 4);
    glDrawArrays(GL_LINE_LOOP, i * kVerticesPerCell + 4, 4);
    glDrawArrays(GL_LINES, i * kVerticesPerCell + 8, 2);
  }
  glDisableClientState(GL_COLOR_ARRAY);
  glDisableClientState(GL_NORMAL_ARRAY);
  glDisableClientState(GL_VERTEX_ARRAY);
  // Leaves colour and normal as the frame does, for the caption.
  glColor3f(1, 0, 0);
  glNormal3f(0, 0, 0);
  drawCaption();
}
