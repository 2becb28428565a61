// The part of the GLUT 3 interface the viewer uses, for the browser build
// (web/platform/glut_layer.cpp): one window on the page's canvas, the display, keyboard and idle
// callbacks, and the 8 x 13 bitmap font.
#pragma once

#include <GL/gl.h>
#include <GL/glu.h>

#ifdef __cplusplus
extern "C" {
#endif

#define GLUT_RGB 0x0000
#define GLUT_DOUBLE 0x0002
#define GLUT_DEPTH 0x0010

// The one font there is; its address names it, as in the toolkit.
extern void* const glutBitmap8By13;
#define GLUT_BITMAP_8_BY_13 glutBitmap8By13

void glutInit(int* argc, char** argv);
void glutInitDisplayMode(unsigned int mode);
void glutInitWindowSize(int width, int height);
void glutInitWindowPosition(int x, int y);
int glutCreateWindow(const char* title);
void glutDisplayFunc(void (*callback)(void));
void glutKeyboardFunc(void (*callback)(unsigned char key, int x, int y));
void glutIdleFunc(void (*callback)(void));
void glutPostRedisplay(void);
void glutSwapBuffers(void);
void glutMainLoop(void);
void glutBitmapCharacter(void* font, int character);

#ifdef __cplusplus
}
#endif
