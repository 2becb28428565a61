#include "render/frame.h"

#include <GL/glut.h>

#include "app/viewer_state.h"
#include "render/mesh.h"

const char* const kCaptions[kSurfaceCount] = {
    "X=u*5, Y=0, Z=v*5",
    "X=u*5, Y=sin(u), Z=v*5",
    "X=u*5, Y=sin(u*v*5), Z=v*5",
    "X=(v+1)*sin(u*PI)*3, Y=cos((v+1)*PI*2), Z=(v+1)*cos(u*PI)*3",
    "X=3*cos(PI*u), Y=3*v, Z=3*sin(PI*u)",
    "X=3*cos(PI*u)*sin(PI*(v-1)/2), Y=3*cos(PI*(v-1)/2), Z=3*sin(PI*u)*sin(PI*(v-1)/2)",
};

void loadCamera(const Camera& c) {
  glLoadIdentity();
  gluLookAt(c.eye[0], c.eye[1], c.eye[2], c.centre[0], c.centre[1], c.centre[2], c.up[0], c.up[1],
            c.up[2]);
}

void drawAxes() {
  // No colour or normal of its own: white from the frame, and the caption's zero normal.
  glBegin(GL_LINES);
  glVertex3f(-300, 0, 0);
  glVertex3f(300, 0, 0);
  glVertex3f(0, -300, 0);
  glVertex3f(0, 300, 0);
  glVertex3f(0, 0, -300);
  glVertex3f(0, 0, 300);
  glEnd();
}

void drawCaption() {
  if (viewerState.surfaceIndex >= kSurfaceCount) return;
  drawCaption(kCaptions[viewerState.surfaceIndex]);
}

void drawCaption(const char* text) {
  glColor3f(1, 1, 1);
  glNormal3f(0, 0, 0);
  glRasterPos4dv(kCaptionPosition);
  for (const char* c = text; *c != '\0'; ++c) {
    glutBitmapCharacter(GLUT_BITMAP_8_BY_13, static_cast<unsigned char>(*c));
  }
}

int drawFrame(const Scene& scene) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glColor3f(1, 1, 1);
  loadCamera(scene.camera);
  drawAxes();
  if (scene.surface == nullptr && scene.normals == NormalLines::kFacet && scene.grid == nullptr &&
      scene.facet == FacetNormal::kCorner && scene.shading == Shading::kFlat) {
    drawMesh();
    if (scene.marked != nullptr) drawMarker(*scene.marked, scene.camera.eye, scene.camera.centre);
    drawCaption();
    return 0;
  }
  const PointFunction builtIn =
      scene.surface == nullptr ? builtInSurface(viewerState.surfaceIndex) : PointFunction();
  const int leftOut = drawMesh(scene.surface ? *scene.surface : builtIn,
                               scene.grid ? *scene.grid : Grid{},
                               {scene.normals, scene.facet, scene.shading});
  if (scene.marked != nullptr) drawMarker(*scene.marked, scene.camera.eye, scene.camera.centre);
  if (scene.surface == nullptr) {
    drawCaption();
  } else {
    drawCaption(scene.caption);
  }
  return leftOut;
}

void drawFrame() { drawFrame(Scene{}); }

void onDisplay() {
  drawFrame();
  glutSwapBuffers();
}
