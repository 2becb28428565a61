// The page's program: the viewer, started as on the desktop, whose keys and frames pass through
// the page's handlers (page_scene.h), so that the page hears of what changes and can show a
// surface of one's own.
#include <GL/glut.h>

#include "app/startup.h"
#include "page_scene.h"

int main(int argc, char** argv) {
  startViewer(&argc, argv);
  glutDisplayFunc(showPageFrame);
  glutKeyboardFunc(onPageKey);
  glutMainLoop();
  return 0;
}
