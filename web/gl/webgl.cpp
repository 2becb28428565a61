// The GL layer's runs of vertices drawn with WebGL 2. The shader does per vertex what the
// fixed-function pipeline does: the combined model-view-projection matrix, and the lighting
// equation of one infinite light with the colour material (ambient and diffuse), clamped per
// channel. Lines are drawn as rectangles made here, as wide as asked whatever width WebGL
// itself would allow, each fragment at the depth Mesa's rasteriser gives a line there (where a
// line lies on a surface, rounding decides which shows); bitmap pixels arrive in window
// coordinates.
#include <GLES3/gl3.h>
#include <emscripten/html5.h>

#include <cstddef>
#include <cstdio>
#include <cstdlib>

#include "webgl_frame.h"

// The layer defines these names itself, for the viewer; WebGL's own are reached by these.
extern "C" {
void emscripten_glClear(GLbitfield mask);
void emscripten_glClearColor(GLfloat red, GLfloat green, GLfloat blue, GLfloat alpha);
void emscripten_glEnable(GLenum capability);
}

namespace {

const char* const kVertexShader = R"(#version 300 es
uniform mat4 modelViewProjection;
uniform mat3 normalToEye;
uniform bool lighting;
uniform vec3 sceneAmbient, lightAmbient, lightDiffuse, lightDirection;
uniform vec2 viewport;
uniform float halfLineWidth;
in vec3 position, other, normal, colour;
in float kind, corner;
out vec4 shade;
// A line's depth as Mesa's rasteriser gives it, a0 + dadx x + dady y at the pixel (x, y) of
// the desktop window (y down): a plane worked from the line's two ends.
flat out vec3 lineDepth;
flat out float ownDepth;

// Ambient of the scene and of the light, and the light's diffuse term, each with the
// colour material's colour.
vec3 lit(vec3 c) {
  if (!lighting) return c;
  float nDotL = max(dot(normalToEye * normal, lightDirection), 0.0);
  return clamp(sceneAmbient * c + lightAmbient * c + nDotL * lightDiffuse * c, 0.0, 1.0);
}

// How far inside one of the planes |x| <= 2w, |y| <= 2w, |z| <= w a clip-space point lies.
float inside(int plane, vec4 p) {
  if (plane == 0) return p.w + p.z;
  if (plane == 1) return p.w - p.z;
  if (plane == 2) return 2.0 * p.w + p.x;
  if (plane == 3) return 2.0 * p.w - p.x;
  if (plane == 4) return 2.0 * p.w + p.y;
  return 2.0 * p.w - p.y;
}

vec3 toWindow(vec4 clip) {
  vec3 ndc = clip.xyz / clip.w;
  return vec3((ndc.xy * 0.5 + 0.5) * viewport, ndc.z);
}

bool notNegative(float x) { return x >= 0.0; }

// Whether a diamond-exit line covers the pixel its start `p` lies in (atStart) or the one its
// end `p` lies in, in the desktop window's coordinates (y down). `toward` is the line from
// start to end, `major` its major axis (0: x, 1: y), `slope` its minor change per unit of the
// major, and `diff` where `p` lies from its pixel's centre.
bool leavesDiamond(vec2 p, vec2 diff, vec2 toward, int major, float slope, bool atStart) {
  int minor = 1 - major;
  if (abs(diff.x) + abs(diff.y) < 0.5) return atStart;
  // Past the centre the way the line goes: a start never enters its diamond again, and an
  // end before it never reaches it.
  bool past = major == 0 ? notNegative(diff.x) == notNegative(toward.x)
                         : notNegative(-diff.y) == notNegative(-toward.y);
  if (atStart == past) return false;
  bool crossesMinor = major == 0 ? notNegative(-diff.y) != notNegative(-toward.y)
                                 : notNegative(diff.x) != notNegative(toward.x);
  if (atStart == crossesMinor) return true;
  float crossing = fract(p[minor]) + diff[major] * slope;
  return crossing < 1.0 && (major == 1 && !atStart ? crossing >= 0.0 : crossing > 0.0);
}

// One corner of a wide line's parallelogram from `start` to `end` (window coordinates, y up,
// depth in z, which places the corner for clipping; the fragments take the line's own depth
// plane), as Mesa's rasteriser draws lines: `side` of the line by half its width across
// the major axis, each end moved along the line to a pixel's edge where the rectangle alone
// would not agree with a diamond-exit line about the end pixel. Worked in the desktop
// window's coordinates (y down), where the references were drawn.
vec3 lineCorner(vec3 start, vec3 end, bool atStart, float side) {
  vec2 a = vec2(start.x, viewport.y - start.y), b = vec2(end.x, viewport.y - end.y);
  vec2 toward = b - a;
  int major = abs(toward.x) >= abs(toward.y) ? 0 : 1;
  int minor = 1 - major;
  float slope = toward[minor] / toward[major];
  vec2 p = atStart ? a : b;
  vec2 diff = p - floor(p) - 0.5;
  if (!atStart && diff[minor] == -0.5 && toward[minor] > 0.0) diff[minor] = 0.5;
  bool diamond = leavesDiamond(p, diff, toward, major, slope, atStart);
  bool forward = toward[major] > 0.0;
  bool rectangle;
  if (major == 0) {
    rectangle = atStart == forward ? diff.x <= 0.0 : diff.x > 0.0;
  } else {  // the bottom-edge rule of a window whose y runs down
    rectangle = atStart == forward ? diff.y < 0.0 : diff.y >= 0.0;
  }
  vec2 corner = p;
  if (rectangle != diamond) {
    float shift = forward ? -diff[major] - 0.5 : -diff[major] + 0.5;
    corner[major] += shift;
    corner[minor] += shift * slope;
  }
  corner[minor] += side * halfLineWidth;
  // The depth along the major axis, carried to a moved end.
  float t = (corner[major] - a[major]) / toward[major];
  return vec3(corner.x, viewport.y - corner.y, mix(start.z, end.z, t));
}

// Window coordinates as the desktop's viewport takes a clip-space point: y down, depth 0 to 1.
vec3 desktopWindow(vec4 clip) {
  float oow = 1.0 / clip.w;
  vec2 halfSize = 0.5 * viewport;
  return vec3(clip.x * oow * halfSize.x + halfSize.x, clip.y * oow * -halfSize.y + halfSize.y,
              clip.z * oow * 0.5 + 0.5);
}

vec3 depthPlane(vec4 startClip, vec4 endClip) {
  vec3 v1 = desktopWindow(startClip), v2 = desktopWindow(endClip);
  float dx = v1.x - v2.x, dy = v1.y - v2.y;
  float oneOverArea = 1.0 / (dx * dx + dy * dy);
  float infoDx = 0.0, infoDy = 0.0;
  if (abs(dx) >= abs(dy)) {
    float dydx = dy / dx;
    infoDx = dx * (1.0 + dydx * dydx);
  } else {
    float dxdy = dx / dy;
    infoDy = dy * (1.0 + dxdy * dxdy);
  }
  float da21 = v1.z - v2.z;
  float dadx = da21 * infoDx * oneOverArea;
  float dady = da21 * infoDy * oneOverArea;
  return vec3(v1.z - (dadx * (v1.x - 0.5) + dady * (v1.y - 0.5)), dadx, dady);
}

void main() {
  gl_PointSize = 1.0;
  ownDepth = 0.0;
  lineDepth = vec3(0.0);
  if (kind == 2.0) {  // a bitmap's pixel
    gl_Position = vec4(position.xy / viewport * 2.0 - 1.0, position.z * 2.0 - 1.0, 1.0);
    shade = vec4(colour, 1.0);
    return;
  }
  shade = vec4(lit(colour), 1.0);
  vec4 self = modelViewProjection * vec4(position, 1.0);
  if (kind == 0.0) {
    gl_Position = self;
    return;
  }
  // A wide line's corner: the segment clipped to the view volume (widened across, so that
  // its window coordinates stay small), then the rectangle around it in window coordinates,
  // as wide as the line across its major axis.
  vec4 s = self, f = modelViewProjection * vec4(other, 1.0);
  for (int plane = 0; plane < 6; ++plane) {
    float ds = inside(plane, s), df = inside(plane, f);
    if (ds < 0.0 && df < 0.0) {
      gl_Position = vec4(0.0, 0.0, 2.0, 1.0);  // none of it shows
      return;
    }
    if (ds < 0.0) {
      s = s + ds / (ds - df) * (f - s);
    } else if (df < 0.0) {
      f = f + df / (df - ds) * (s - f);
    }
  }
  // Corners 0, 1 and 4 lie at the line's start, 2, 3 and 5 at its end; 0, 2 and 5 on one
  // side.
  bool atStart = corner == 0.0 || corner == 1.0 || corner == 4.0;
  float side = (corner == 0.0 || corner == 2.0 || corner == 5.0) ? -1.0 : 1.0;
  vec3 start = toWindow(atStart ? s : f), end = toWindow(atStart ? f : s);
  if (start.xy == end.xy) {  // a line of no length draws nothing
    gl_Position = vec4(0.0, 0.0, 2.0, 1.0);
    return;
  }
  vec3 xyz = lineCorner(start, end, atStart, side);
  // The depth plane from the ends clipped only to the near and far planes, as Mesa clips.
  vec4 zs = self, zf = modelViewProjection * vec4(other, 1.0);
  for (int plane = 0; plane < 2; ++plane) {
    float ds = inside(plane, zs), df = inside(plane, zf);
    if (ds < 0.0) {
      zs = zs + ds / (ds - df) * (zf - zs);
    } else if (df < 0.0) {
      zf = zf + df / (df - ds) * (zs - zf);
    }
  }
  lineDepth = atStart ? depthPlane(zs, zf) : depthPlane(zf, zs);
  ownDepth = 1.0;
  gl_Position = vec4(xyz.xy / viewport * 2.0 - 1.0, xyz.z, 1.0);
}
)";

const char* const kFragmentShader = R"(#version 300 es
precision highp float;
uniform vec2 viewport;
in vec4 shade;
flat in vec3 lineDepth;
flat in float ownDepth;
out vec4 fragmentColour;
void main() {
  fragmentColour = shade;
  float x = floor(gl_FragCoord.x), y = viewport.y - 1.0 - floor(gl_FragCoord.y);
  gl_FragDepth = ownDepth > 0.5 ? lineDepth.x + lineDepth.y * x + lineDepth.z * y
                                : gl_FragCoord.z;
}
)";

struct WebGl {
  int width = 0, height = 0;
  GLuint program = 0, buffer = 0, vertexArray = 0;
  GLint modelViewProjection, normalToEye, lighting, sceneAmbient, lightAmbient, lightDiffuse,
      lightDirection, viewport, halfLineWidth;
};

WebGl& webGl() {
  static WebGl gl;
  return gl;
}

[[noreturn]] void fail(const char* what, const char* log) {
  std::fprintf(stderr, "normals: WebGL 2: %s\n%s\n", what, log);
  std::abort();
}

GLuint compile(GLenum type, const char* source) {
  const GLuint shader = glCreateShader(type);
  glShaderSource(shader, 1, &source, nullptr);
  glCompileShader(shader);
  GLint ok = 0;
  glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
  if (!ok) {
    char log[1024];
    glGetShaderInfoLog(shader, sizeof log, nullptr, log);
    fail("a shader does not compile", log);
  }
  return shader;
}

void attribute(GLuint program, const char* name, int size, std::size_t offset) {
  const GLint location = glGetAttribLocation(program, name);
  if (location < 0) return;
  glEnableVertexAttribArray(location);
  glVertexAttribPointer(location, size, GL_FLOAT, GL_FALSE, sizeof(WebGlVertex),
                        reinterpret_cast<const void*>(offset));
}

}  // namespace

bool openWebGl(int width, int height) {
  EmscriptenWebGLContextAttributes attributes;
  emscripten_webgl_init_context_attributes(&attributes);
  attributes.majorVersion = 2;
  attributes.minorVersion = 0;
  attributes.alpha = false;
  attributes.depth = true;
  attributes.stencil = false;
  attributes.antialias = false;
  attributes.preserveDrawingBuffer = false;
  attributes.failIfMajorPerformanceCaveat = false;
  emscripten_set_canvas_element_size("#canvas", width, height);
  const EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context =
      emscripten_webgl_create_context("#canvas", &attributes);
  if (context <= 0 || emscripten_webgl_make_context_current(context) != EMSCRIPTEN_RESULT_SUCCESS) {
    return false;
  }
  WebGl& gl = webGl();
  gl.width = width;
  gl.height = height;
  gl.program = glCreateProgram();
  glAttachShader(gl.program, compile(GL_VERTEX_SHADER, kVertexShader));
  glAttachShader(gl.program, compile(GL_FRAGMENT_SHADER, kFragmentShader));
  glLinkProgram(gl.program);
  GLint linked = 0;
  glGetProgramiv(gl.program, GL_LINK_STATUS, &linked);
  if (!linked) {
    char log[1024];
    glGetProgramInfoLog(gl.program, sizeof log, nullptr, log);
    fail("the program does not link", log);
  }
  glUseProgram(gl.program);
  gl.modelViewProjection = glGetUniformLocation(gl.program, "modelViewProjection");
  gl.normalToEye = glGetUniformLocation(gl.program, "normalToEye");
  gl.lighting = glGetUniformLocation(gl.program, "lighting");
  gl.sceneAmbient = glGetUniformLocation(gl.program, "sceneAmbient");
  gl.lightAmbient = glGetUniformLocation(gl.program, "lightAmbient");
  gl.lightDiffuse = glGetUniformLocation(gl.program, "lightDiffuse");
  gl.lightDirection = glGetUniformLocation(gl.program, "lightDirection");
  gl.viewport = glGetUniformLocation(gl.program, "viewport");
  gl.halfLineWidth = glGetUniformLocation(gl.program, "halfLineWidth");
  glUniform2f(gl.viewport, static_cast<float>(width), static_cast<float>(height));

  glGenVertexArrays(1, &gl.vertexArray);
  glBindVertexArray(gl.vertexArray);
  glGenBuffers(1, &gl.buffer);
  glBindBuffer(GL_ARRAY_BUFFER, gl.buffer);
  attribute(gl.program, "position", 3, offsetof(WebGlVertex, position));
  attribute(gl.program, "other", 3, offsetof(WebGlVertex, other));
  attribute(gl.program, "normal", 3, offsetof(WebGlVertex, normal));
  attribute(gl.program, "colour", 3, offsetof(WebGlVertex, colour));
  attribute(gl.program, "kind", 1, offsetof(WebGlVertex, kind));
  attribute(gl.program, "corner", 1, offsetof(WebGlVertex, corner));
  glViewport(0, 0, width, height);
  return true;
}

void clearWebGl(const float colour[4], bool clearColour, bool clearDepth) {
  emscripten_glClearColor(colour[0], colour[1], colour[2], colour[3]);
  emscripten_glClear((clearColour ? GL_COLOR_BUFFER_BIT : 0) |
                     (clearDepth ? GL_DEPTH_BUFFER_BIT : 0));
}

void drawWebGl(const std::vector<WebGlVertex>& vertices, const std::vector<Run>& runs,
               const std::vector<DrawState>& states) {
  const WebGl& gl = webGl();
  glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(vertices.size() * sizeof(WebGlVertex)),
               vertices.data(), GL_STREAM_DRAW);
  int current = -1;
  for (const Run& run : runs) {
    if (run.state != current) {
      current = run.state;
      const DrawState& s = states[current];
      const Matrix mvp = multiply(s.projection, s.modelview);
      float toEye[9];
      normalMatrix(s.modelview, toEye);
      glUniformMatrix4fv(gl.modelViewProjection, 1, GL_FALSE, mvp.m);
      glUniformMatrix3fv(gl.normalToEye, 1, GL_TRUE, toEye);
      glUniform1i(gl.lighting, s.lighting);
      glUniform3fv(gl.sceneAmbient, 1, s.light.sceneAmbient);
      glUniform3fv(gl.lightAmbient, 1, s.light.ambient);
      glUniform3fv(gl.lightDiffuse, 1, s.light.diffuse);
      glUniform3fv(gl.lightDirection, 1, s.light.direction);
      glUniform1f(gl.halfLineWidth, 0.5f * s.lineWidth);
      if (s.depthTest) {
        emscripten_glEnable(GL_DEPTH_TEST);
      } else {
        glDisable(GL_DEPTH_TEST);
      }
    }
    glDrawArrays(run.primitive == Primitive::kTriangles ? GL_TRIANGLES : GL_POINTS, run.first,
                 run.count);
  }
}

void readWebGl(int width, int height, unsigned char* rgba) {
  glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
}
