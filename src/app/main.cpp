// The viewer: start-up, then the toolkit's event loop for the rest of the process's life.
#include <GL/glut.h>

#include "app/startup.h"

int main(int argc, char** argv) {
  startViewer(&argc, argv);
  glutMainLoop();
  return 0;
}
