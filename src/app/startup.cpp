#include "app/startup.h"

#include <GL/glut.h>

#include <string>

#include "app/handlers.h"
#include "render/frame.h"
#include "render/mesh.h"

void startViewer(int* argc, char** argv) {
  glutInit(argc, argv);
  glutInitDisplayMode(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH);
  // Set after glutInit so they take precedence over a -geometry option.
  glutInitWindowSize(kWindowWidth, kWindowHeight);
  glutInitWindowPosition(100, 100);
  glutCreateWindow(kWindowTitle);

  glEnable(GL_DEPTH_TEST);
  glEnable(GL_LIGHTING);

  // Aspect fixed at 1: the picture stretches with the window rather than reframing.
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(kFieldOfView, kAspect, kNearPlane, kFarPlane);
  glMatrixMode(GL_MODELVIEW);

  glClearColor(0.2f, 0.2f, 0.7f, 1.0f);
  glLineWidth(kLineWidth);

  glLightfv(GL_LIGHT0, GL_AMBIENT, kLightAmbient);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, kLightDiffuse);
  glLightfv(GL_LIGHT0, GL_POSITION, kLightPosition);
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
