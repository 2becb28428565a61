// The arithmetic of OpenGL's fixed-function pipeline as the viewer's frame needs it, written
// out in single precision as Mesa does it: matrices and their products, GLU's perspective and
// camera, the lighting equation, the raster position. Pure arithmetic, no WebGL: the browser
// build's GL layer uses it, and the tests compare it with the real Mesa and GLU.
#pragma once

struct Matrix {
  float m[16];  // column by column, as OpenGL keeps it
};

Matrix identityMatrix();
// a x b, in single precision, summed in the order Mesa sums.
Matrix multiply(const Matrix& a, const Matrix& b);
// gluPerspective's matrix, computed in double precision and handed over as GLU hands it.
Matrix perspectiveMatrix(double fovy, double aspect, double zNear, double zFar);
// `m` times gluLookAt's camera: its rotation, computed as GLU computes it, then the
// translation to the eye.
Matrix lookAt(const Matrix& m, double eyeX, double eyeY, double eyeZ, double centerX,
              double centerY, double centerZ, double upX, double upY, double upZ);

// The matrix that takes normals to eye space: the inverse of the modelview's upper 3 x 3,
// transposed, rows first in `n`.
void normalMatrix(const Matrix& modelview, float n[9]);

// The fixed-function lighting of one light, infinite and without specular, with the colour
// material tracking ambient and diffuse.
// The light model's ambient colour, OpenGL's default, which the viewer keeps.
constexpr float kSceneAmbient = 0.2f;
struct Lighting {
  float sceneAmbient[3] = {kSceneAmbient, kSceneAmbient, kSceneAmbient};
  float ambient[3] = {0, 0, 0};
  float diffuse[3] = {1, 1, 1};
  float direction[3] = {0, 0, 1};  // toward the light, in eye space, unit length
};
// The light's direction from a GL_POSITION given under `modelview` (w = 0: infinite).
void setLightPosition(Lighting* light, const Matrix& modelview, const float position[4]);
// The lit colour of a vertex of colour `colour` and eye-space normal `normal`, clamped.
void litColour(const Lighting& light, const float colour[3], const float normal[3], float out[3]);
// `normal` taken to eye space by the normal matrix of `modelview`, in single precision.
void eyeNormal(const Matrix& modelview, const float normal[3], float out[3]);
// A colour channel from 0 to 1 as the 8-bit level the frame buffer holds: clamped, and
// rounded to the nearest of 256.
int colourLevel(float channel);

// The raster position in window coordinates, as glRasterPos leaves it for a viewport
// `width` x `height` at the origin; `valid` is false when the point is clipped away.
struct RasterPosition {
  bool valid;
  float x, y, z;
};
RasterPosition rasterPosition(const Matrix& modelview, const Matrix& projection,
                              const double position[4], int width, int height);
