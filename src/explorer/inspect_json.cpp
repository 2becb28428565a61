// A cell looked into, as the JSON object the page's panel and normals-snapshot --inspect give.
#include <initializer_list>

#include "app/startup.h"
#include "explorer/inspect.h"
#include "explorer/json_text.h"
#include "pipeline/fixed_function.h"

namespace {

std::string number(double x) { return jsonNumber(x); }
std::string array(std::initializer_list<double> xs) { return jsonNumbers(xs); }
std::string vector(const Vector3& v) { return array({v.x, v.y, v.z}); }

}  // namespace

std::string asJson(const Inspection& in) {
  JsonObject w;
  const Cell& c = in.cell;
  const GridCell& g = in.parameters;
  w.add("row", number(in.row));
  w.add("column", number(in.column));
  w.add("u", array({g.u, g.uNext}));
  w.add("v", array({g.v, g.vNext}));
  w.add("leftOut", in.leftOut.empty() ? "null" : jsonString(in.leftOut));
  w.add("corners", "[" + vector(c.p00) + "," + vector(c.p10) + "," + vector(c.p01) + "," +
                       vector(c.p11) + "]");
  w.add("e1", vector(in.e1));
  w.add("e2", vector(in.e2));
  w.add("lengths", array({in.lengths[0], in.lengths[1], in.lengths[2]}));
  w.add("guarded", jsonBool(in.guarded));
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
  w.add("ownNormalWhy", in.own.defined ? "null" : jsonString(in.own.why));
  w.add("degenerate", jsonBool(cornerNormal(c).degenerate));
  w.add("diagonalNormal", in.diagonal.degenerate ? "null" : vector(in.diagonal.normal));
  std::string vertices = "[";
  for (const Facet& f : in.vertex) vertices += (f.degenerate ? "null" : vector(f.normal)) + ",";
  vertices.back() = ']';
  w.add("vertexNormals", vertices);
  const auto angle = [](double a) { return a >= 0 ? number(a) : std::string("null"); };
  w.add("angles", "{\"corner\":" + angle(in.angle) + ",\"diagonals\":" +
                      angle(in.diagonalAngle) + "}");
  return w.text();
}
