// The part of OpenGL 1.1 the viewer uses, for the browser build: the calls and constants of
// its start-up and its frame, and nothing else. web/platform draws them with WebGL 2;
// any other value of an enumeration stops the program with a message naming it.
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

typedef unsigned int GLenum;
typedef unsigned int GLbitfield;
typedef unsigned char GLboolean;
typedef int GLint;
typedef int GLsizei;
typedef float GLfloat;
typedef double GLdouble;
typedef void GLvoid;

#define GL_FALSE 0
#define GL_TRUE 1

#define GL_LINES 0x0001
#define GL_LINE_LOOP 0x0002
#define GL_QUADS 0x0007

#define GL_DEPTH_BUFFER_BIT 0x00000100
#define GL_COLOR_BUFFER_BIT 0x00004000

#define GL_DEPTH_TEST 0x0B71
#define GL_LIGHTING 0x0B50
#define GL_COLOR_MATERIAL 0x0B57
#define GL_LIGHT0 0x4000

#define GL_AMBIENT 0x1200
#define GL_DIFFUSE 0x1201
#define GL_POSITION 0x1203

#define GL_MODELVIEW 0x1700
#define GL_PROJECTION 0x1701

void glEnable(GLenum capability);
void glClear(GLbitfield mask);
void glClearColor(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha);
void glLineWidth(GLfloat width);
void glLightfv(GLenum light, GLenum name, const GLfloat* values);
void glMatrixMode(GLenum mode);
void glLoadIdentity(void);
void glBegin(GLenum mode);
void glEnd(void);
void glVertex3f(GLfloat x, GLfloat y, GLfloat z);
void glNormal3f(GLfloat x, GLfloat y, GLfloat z);
void glColor3f(GLfloat red, GLfloat green, GLfloat blue);
void glRasterPos4dv(const GLdouble* position);

#ifdef __cplusplus
}
#endif
