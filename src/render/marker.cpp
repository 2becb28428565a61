#include "render/marker.h"

#include <GL/gl.h>

#include <initializer_list>

#include "render/mesh.h"

namespace {

Vector3 scaled(const Vector3& v, double k) { return {v.x * k, v.y * k, v.z * k}; }

struct Pull {
  Vector3 eye;
  // `p` moved toward the eye by `times` pulls.
  Vector3 operator()(const Vector3& p, double times) const {
    return p + scaled(eye - p, kMarkerPull * times);
  }
};

void vertex(const Vector3& p) {
  glVertex3f(static_cast<GLfloat>(p.x), static_cast<GLfloat>(p.y), static_cast<GLfloat>(p.z));
}

// A colour at its full value: with a normal along the camera's axis the light, fixed to the eye
// and shining along that axis, adds its whole diffuse part to the ambient.
void fullColour(const float colour[3], const Vector3& towardScene) {
  glColor3f(colour[0], colour[1], colour[2]);
  glNormal3f(static_cast<GLfloat>(towardScene.x), static_cast<GLfloat>(towardScene.y),
             static_cast<GLfloat>(towardScene.z));
}

// The arrow from `from` along `d`, its head two strokes a quarter of its length, across the line
// of sight so that they show from the eye; pulled `times` toward it.
void arrow(const Pull& pull, const Vector3& from, const Vector3& d, const Vector3& sight,
           double times = 3) {
  const double length = d.length();
  if (!(length > 0)) return;
  Vector3 across = d.cross(sight);
  if (across.length() < 1e-9 * length) across = d.cross({sight.y, sight.z, sight.x});
  across = scaled(across, 0.1 * length / across.length());
  const Vector3 tip = from + d;
  const Vector3 back = tip - scaled(d, 0.25);
  glBegin(GL_LINES);
  for (const Vector3& p : {from, tip, tip, back + across, tip, back - across}) vertex(pull(p, times));
  glEnd();
}

}  // namespace

void drawMarker(const Marker& m, const double eye[3], const double centre[3]) {
  const Cell& c = m.cell;
  // A cell left out is not marked either: none of its numbers reaches OpenGL.
  if (!isDrawable(c)) return;
  const Pull pull{{eye[0], eye[1], eye[2]}};
  Vector3 sight = c.centre - pull.eye;
  sight = scaled(sight, 1 / sight.length());
  Vector3 axis = Vector3{centre[0], centre[1], centre[2]} - pull.eye;
  axis = scaled(axis, 1 / axis.length());

  // The outline first and the face over it: the face keeps its whole area, with half the
  // outline's width around it.
  glLineWidth(kMarkerOutlineWidth);
  fullColour(kMarkerOutline, axis);
  glBegin(GL_LINE_LOOP);
  for (const Vector3& p : {c.p00, c.p01, c.p11, c.p10}) vertex(pull(p, 1));
  glEnd();

  fullColour(kMarkerFace, axis);
  glBegin(GL_QUADS);
  for (const Vector3& p : {c.p00, c.p01, c.p11, c.p10}) vertex(pull(p, 2));
  glEnd();

  glLineWidth(kArrowWidth);
  fullColour(kArrowE1, axis);
  arrow(pull, c.p00, c.p01 - c.p00, sight);
  fullColour(kArrowE2, axis);
  arrow(pull, c.p00, c.p11 - c.p00, sight);
  // n wide and N narrow over it: where the two all but coincide, as they do on a fine grid, N
  // shows inside n.
  glLineWidth(kFacetArrowWidth);
  fullColour(kArrowFacet, axis);
  arrow(pull, c.centre, c.normal, sight);
  if (m.own.defined && isDrawable(m.own.point)) {
    glLineWidth(kOwnArrowWidth);
    fullColour(kArrowOwn, axis);
    arrow(pull, m.own.point, m.own.normal, sight, 4);
  }
  glLineWidth(kLineWidth);
}
