#include "app/startup.h"

#include <GL/glut.h>

#include <string>

#include "app/handlers.h"
#include "render/frame.h"

void startViewer(int* argc, char** argv) {
  glutInit(argc, argv);
  glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
  // Set after glutInit so they take precedence over a -geometry option.
  glutInitWindowSize(400, 400);
  glutInitWindowPosition(100, 100);
  glutCreateWindow(kWindowTitle);

  glEnable(GL_DEPTH_TEST);
  glEnable(GL_LIGHTING);

  // Aspect fixed at 1: the picture stretches with the window rather than reframing.
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45.0, 1.0, 0.01, 1000.0);
  glMatrixMode(GL_MODELVIEW);

  glClearColor(0.2f, 0.2f, 0.7f, 1.0f);
  glLineWidth(2.0f);

  static const GLfloat kAmbient[] = {0.3f, 0.3f, 0.3f, 1.0f};
  static const GLfloat kDiffuse[] = {0.5f, 0.5f, 0.5f, 1.0f};
  // Directional, set while the modelview is the identity: it stays fixed to the eye and shines
  // from beyond the scene toward the viewer.
  static const GLfloat kPosition[] = {0.0f, 0.0f, -10.0f, 0.0f};
  glLightfv(GL_LIGHT0, GL_AMBIENT, kAmbient);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, kDiffuse);
  glLightfv(GL_LIGHT0, GL_POSITION, kPosition);
  glEnable(GL_LIGHT0);
  glEnable(GL_COLOR_MATERIAL);

  glutDisplayFunc(onDisplay);
  glutKeyboardFunc(onKeyboard);
  glutIdleFunc(onIdle);
}

void startViewer(const char* programName) {
  // The toolkit may keep pointers into its argument vector for the life of the process.
  static std::string name;
  static char* argv[2];
  name = programName;
  argv[0] = name.data();
  argv[1] = nullptr;
  int argc = 1;
  startViewer(&argc, argv);
}
