#include "described_calls.h"

#include <cmath>

#include "app/startup.h"
#include "app/viewer_state.h"
#include "call_trace.h"
#include "pipeline/fixed_function.h"
#include "geometry/cell.h"
#include "render/frame.h"
#include "render/mesh.h"

namespace {

std::string f(double value) { return asDumped(static_cast<float>(value)); }

std::string list(const std::vector<std::string>& values) {
  std::string text = "{";
  for (std::size_t i = 0; i < values.size(); ++i) text += (i > 0 ? ", " : "") + values[i];
  return text + "}";
}

std::string vertex(const Vector3& p, double lift = 0) {
  return call("glVertex3f", {f(p.x), f(p.y + lift), f(p.z)});
}

// gluPerspective's matrix as GLU computes it, in double precision.
std::string perspective() {
  const double radians = kFieldOfView / 2 * 3.14159265358979323846 / 180;
  const double cotangent = std::cos(radians) / std::sin(radians), depth = kFarPlane - kNearPlane;
  std::vector<std::string> m(16, asDumped(0.0));
  m[0] = asDumped(cotangent / kAspect);
  m[5] = asDumped(cotangent);
  m[10] = asDumped(-(kFarPlane + kNearPlane) / depth);
  m[11] = asDumped(-1.0);
  m[14] = asDumped(-2 * kNearPlane * kFarPlane / depth);
  return call("glMultMatrixd", {list(m)});
}

// gluLookAt's calls: its rotation (as GLU works it out in single precision), then the move to
// the eye.
Calls camera() {
  const Matrix m = lookAt(identityMatrix(), kEye[0], kEye[1], kEye[2], kCentre[0], kCentre[1],
                          kCentre[2], kUp[0], kUp[1], kUp[2]);
  std::vector<std::string> rotation;
  for (int i = 0; i < 16; ++i) rotation.push_back(f(i < 12 && i % 4 < 3 ? m.m[i] : i == 15));
  return {call("glMultMatrixf", {list(rotation)}),
          call("glTranslated", {asDumped(-kEye[0]), asDumped(-kEye[1]), asDumped(-kEye[2])})};
}

}  // namespace

std::string call(const std::string& name, const std::vector<std::string>& args) {
  std::string text = name + "(";
  for (std::size_t i = 0; i < args.size(); ++i) text += (i > 0 ? ", " : "") + args[i];
  return text + ")";
}

Calls startUp() {
  const auto light = [](const char* name, const float* v) {
    return call("glLightfv", {"GL_LIGHT0", name, list({f(v[0]), f(v[1]), f(v[2]), f(v[3])})});
  };
  return {call("glEnable", {"GL_DEPTH_TEST"}), call("glEnable", {"GL_LIGHTING"}),
          call("glMatrixMode", {"GL_PROJECTION"}), call("glLoadIdentity"), perspective(),
          call("glMatrixMode", {"GL_MODELVIEW"}), call("glClearColor", {f(0.2), f(0.2), f(0.7),
          f(1)}), call("glLineWidth", {f(2)}), light("GL_AMBIENT", kLightAmbient),
          light("GL_DIFFUSE", kLightDiffuse), light("GL_POSITION", kLightPosition),
          call("glEnable", {"GL_LIGHT0"}), call("glEnable", {"GL_COLOR_MATERIAL"})};
}

// The first vertex a frame gives a cell, which tells the phase it was drawn at.
std::string firstVertex(unsigned surface) {
  return vertex(cellAt(surface, kGridStart, kGridStart + kGridStep, kGridStart,
                       kGridStart + kGridStep).p00);
}

// Every call of one frame of `surface`, drawn at the current viewer state.
Calls frame(unsigned surface) {
  const std::string white = call("glColor3f", {f(1), f(1), f(1)});
  const std::string zeroNormal = call("glNormal3f", {f(0), f(0), f(0)});
  Calls c = {call("glClear", {"GL_DEPTH_BUFFER_BIT | GL_COLOR_BUFFER_BIT"}), white,
             call("glLoadIdentity")};
  for (const std::string& s : camera()) c.push_back(s);
  c.push_back(call("glBegin", {"GL_LINES"}));
  for (const Vector3& p : {Vector3{-300, 0, 0}, Vector3{300, 0, 0}, Vector3{0, -300, 0},
                           Vector3{0, 300, 0}, Vector3{0, 0, -300}, Vector3{0, 0, 300}}) {
    c.push_back(vertex(p));
  }
  c.push_back(call("glEnd"));
  sweepGrid([&](double u, double uNext, double v, double vNext) {
    const Cell cell = cellAt(surface, u, uNext, v, vNext);
    const Vector3 corners[4] = {cell.p00, cell.p01, cell.p11, cell.p10};
    c.insert(c.end(), {white, call("glNormal3f", {f(cell.normal.x), f(cell.normal.y),
                                                  f(cell.normal.z)}), call("glBegin", {"GL_QUADS"})});
    for (const Vector3& p : corners) c.push_back(vertex(p));
    c.insert(c.end(), {call("glEnd"), call("glColor3f", {f(0), f(0), f(0)}), zeroNormal,
                       call("glBegin", {"GL_LINE_LOOP"})});
    for (const Vector3& p : corners) c.push_back(vertex(p, kOutlineLift));
    c.insert(c.end(), {call("glEnd"), call("glColor3f", {f(1), f(0), f(0)}),
                       call("glBegin", {"GL_LINES"}), vertex(cell.centre), vertex(cell.lineEnd),
                       call("glEnd")});
  });
  c.insert(c.end(), {white, zeroNormal, call("glRasterPos4dv", {list({asDumped(-12.0),
                     asDumped(3.0), asDumped(0.0), asDumped(1.0)})})});
  // Each character is one bitmap that moves the raster position 8 pixels on.
  for (const char* ch = kCaptions[surface]; *ch != '\0'; ++ch) c.push_back("glBitmap");
  return c;
}
