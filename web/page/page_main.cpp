// The page's program: the viewer, started as on the desktop, whose keys reach its own keyboard
// handler through the page's, so that the page hears of what they change.
#include <GL/glut.h>

#include "app/handlers.h"
#include "app/startup.h"
#include "page_api.h"

namespace {

void onPageKey(unsigned char key, int x, int y) {
  onKeyboard(key, x, y);
  tellPageOfChange();
}

}  // namespace

int main(int argc, char** argv) {
  startViewer(&argc, argv);
  glutKeyboardFunc(onPageKey);
  glutMainLoop();
  return 0;
}
