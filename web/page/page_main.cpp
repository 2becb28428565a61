// The page's program: the viewer, started as on the desktop, whose keys reach its own keyboard
// handler through the page's, so that the page hears of what they change, and whose frames
// are drawn by its own display handler once the page has noted what each shows.
#include <GL/glut.h>

#include "app/handlers.h"
#include "app/startup.h"
#include "page_api.h"
#include "render/frame.h"

namespace {

void onPageKey(unsigned char key, int x, int y) {
  onKeyboard(key, x, y);
  tellPageOfChange();
}

void onPageDisplay() {
  noteFrameShown();
  onDisplay();
}

}  // namespace

int main(int argc, char** argv) {
  startViewer(&argc, argv);
  glutDisplayFunc(onPageDisplay);
  glutKeyboardFunc(onPageKey);
  glutMainLoop();
  return 0;
}
