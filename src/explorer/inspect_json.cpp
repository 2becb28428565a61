// A cell looked into, as the JSON object the page's panel and normals-snapshot --inspect give.
#include <cmath>
#include <cstdio>
#include <initializer_list>

#include "app/startup.h"
#include "explorer/inspect.h"
#include "pipeline/fixed_function.h"

namespace {

// A number JSON can hold, to the digits that give the double back; null for one it cannot.
std::string number(double x) {
  if (!std::isfinite(x)) return "null";
  char text[32];
  std::snprintf(text, sizeof text, "%.17g", x);
  return text;
}

std::string array(std::initializer_list<double> xs) {
  std::string text = "[";
  for (double x : xs) text += number(x) + ",";
  text.back() = ']';
  return text;
}

std::string vector(const Vector3& v) { return array({v.x, v.y, v.z}); }

struct Writer {
  std::string json = "{";
  void add(const char* name, const std::string& value) {
    json += std::string("\"") + name + "\":" + value + ",";
  }
};

}  // namespace

std::string asJson(const Inspection& in) {
  Writer w;
  const Cell& c = in.cell;
  const GridCell& g = in.parameters;
  w.add("row", number(in.row));
  w.add("column", number(in.column));
  w.add("u", array({g.u, g.uNext}));
  w.add("v", array({g.v, g.vNext}));
  // The why is the geometry's own text, plain words without quotes or backslashes.
  w.add("leftOut", in.leftOut.empty() ? "null" : "\"" + in.leftOut + "\"");
  w.add("corners", "[" + vector(c.p00) + "," + vector(c.p10) + "," + vector(c.p01) + "," +
                       vector(c.p11) + "]");
  w.add("e1", vector(in.e1));
  w.add("e2", vector(in.e2));
  w.add("lengths", array({in.lengths[0], in.lengths[1], in.lengths[2]}));
  w.add("guarded", in.guarded ? "true" : "false");
  w.add("facetNormal", vector(c.normal));
  w.add("centre", vector(c.centre));
  w.add("lineEnd", vector(c.lineEnd));
  w.add("eyeNormal", array({in.eyeNormal[0], in.eyeNormal[1], in.eyeNormal[2]}));
  w.add("normalDotLight", number(in.normalDotLight));
  // The numbers the panel's words name: the guard's divisor, the red line's length a unit of
  // normal, and the lighting's ambient and diffuse parts of the shade.
  w.add("guardDivisor", number(kMinDivisor));
  w.add("lineScale", number(kNormalLineScale));
  w.add("shadeAmbient", number(kSceneAmbient + kLightAmbient[0]));
  w.add("shadeDiffuse", number(kLightDiffuse[0]));
  w.add("shade", number(in.shade));
  w.add("level", number(in.level));
  w.add("middle", array({in.middle[0], in.middle[1]}));
  w.add("point", vector(in.own.point));
  w.add("ru", vector(in.own.ru));
  w.add("rv", vector(in.own.rv));
  w.add("cross", vector(in.own.cross));
  w.add("trueNormal", in.own.defined ? vector(in.own.normal) : "null");
  w.add("angleDegrees", in.angle >= 0 ? number(in.angle) : "null");
  // Where N is missing, why: a collapse, a kink, or rounding that cannot be trusted.
  w.add("ownNormalWhy", in.own.defined ? "null" : "\"" + in.own.why + "\"");
  w.add("degenerate", cornerNormal(c).degenerate ? "true" : "false");
  w.add("diagonalNormal", in.diagonal.degenerate ? "null" : vector(in.diagonal.normal));
  std::string vertices = "[";
  for (const Facet& f : in.vertex) vertices += (f.degenerate ? "null" : vector(f.normal)) + ",";
  vertices.back() = ']';
  w.add("vertexNormals", vertices);
  const auto angle = [](double a) { return a >= 0 ? number(a) : std::string("null"); };
  w.add("angles", "{\"corner\":" + angle(in.angle) + ",\"diagonals\":" +
                      angle(in.diagonalAngle) + "}");
  w.json.back() = '}';
  return w.json;
}
