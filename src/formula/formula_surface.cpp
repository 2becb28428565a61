#include "formula/formula_surface.h"

#include <muParser.h>

#include <cmath>
#include <memory>
#include <vector>

#include "formula/formula_checks.h"

namespace {

// The constants a formula may name: full precision, unlike the viewer's own truncated circle
// constant, which its built-in surfaces keep.
constexpr double kFullPi = 3.141592653589793;
constexpr double kE = 2.718281828459045;

}  // namespace

struct FormulaSurface::Parsers {
  // The variables the compiled formulas read: muparser keeps their addresses.
  double u = 0, v = 0, t = 0;
  // Each coordinate alone, to say which one is refused and why.
  mu::Parser coordinate[3];
  // The three at once, as muparser evaluates a list: one call a point.
  mu::Parser point;
};

void FormulaSurface::define(Parsers* p, mu::Parser* parser) {
  // muparser's optimizer folds && and || on constants through a cast to int, which is undefined
  // for a constant beyond the int's range (the fuzzer found "1e10||1"): no folding, then. Every
  // operation is then made as written, in order.
  parser->EnableOptimizer(false);
  parser->DefineVar("u", &p->u);
  parser->DefineVar("v", &p->v);
  parser->DefineVar("t", &p->t);
  parser->DefineConst("pi", kFullPi);
  parser->DefineConst("PI", kFullPi);
  parser->DefineConst("e", kE);
}

FormulaSurface::FormulaSurface() : parsers_(std::make_unique<Parsers>()) {}
FormulaSurface::~FormulaSurface() = default;

std::unique_ptr<FormulaSurface> FormulaSurface::parse(const std::string& x, const std::string& y,
                                                      const std::string& z, FormulaError* error) {
  std::unique_ptr<FormulaSurface> surface(new FormulaSurface());
  Parsers& p = *surface->parsers_;
  const std::string* texts[3] = {&x, &y, &z};
  for (int field = 0; field < 3; ++field) {
    const std::string& text = *texts[field];
    mu::Parser& parser = p.coordinate[field];
    *error = checkText(field, text);
    if (error->field >= 0) return nullptr;
    define(&p, &parser);
    try {
      parser.SetExpr(text);
      parser.Eval();  // parses now, and keeps the compiled form for every later call
    } catch (const mu::Parser::exception_type& e) {
      *error = fromParser(field, text, static_cast<int>(e.GetCode()), e.GetToken(),
                          static_cast<int>(e.GetPos()), e.GetMsg());
      return nullptr;
    }
    if (parser.GetNumResults() != 1) {
      *error = severalResults(field, text);
      return nullptr;
    }
  }
  for (int field = 0; field < 3; ++field) surface->texts_[field] = *texts[field];
  // Each in parentheses of its own: the list is the three formulas, each parsed as alone.
  define(&p, &p.point);
  p.point.SetExpr("(" + x + "),(" + y + "),(" + z + ")");
  surface->caption_ = "X=" + x + ", Y=" + y + ", Z=" + z;
  *error = {};
  return surface;
}

Vector3 FormulaSurface::point(double u, double v, double t) const {
  Parsers& p = *parsers_;
  p.u = u;
  p.v = v;
  p.t = t;
  int n = 0;
  const double* xyz = p.point.Eval(n);
  return {xyz[0], xyz[1], xyz[2]};
}

namespace {

// The surface's points at the grid's parameter pairs, and where the last look-up found each
// parameter: the sweep asks for the same index again, or the next, or the first.
struct Grid {
  std::vector<double> values;   // the parameters, as the sweep makes them
  std::vector<Vector3> points;  // values.size() squared, u outer
  std::size_t lastU = 0, lastV = 0;

  // The index of `value` among the parameters, or values.size() when it is not one of them.
  std::size_t indexOf(double value, std::size_t* last) const {
    const std::size_t n = values.size(), k = *last;
    if (values[k] == value) return k;
    if (k + 1 < n && values[k + 1] == value) return *last = k + 1;
    if (values[0] == value) return *last = 0;
    const long guess = std::lround((value - kGridStart) / kGridStep);
    const auto at = static_cast<std::size_t>(guess);
    return guess >= 0 && at < n && values[at] == value ? *last = at : n;
  }
};

}  // namespace

PointFunction FormulaSurface::gridPoints(double t) const {
  auto grid = std::make_shared<Grid>();
  // The parameters as the sweep makes them, by repeated addition: 22 values each.
  sweepGrid([&grid](double u, double uNext, double, double) {
    if (grid->values.empty()) grid->values.push_back(u);
    if (u == grid->values.back()) grid->values.push_back(uNext);
  });
  const std::size_t n = grid->values.size();
  grid->points.reserve(n * n);
  for (double u : grid->values) {
    for (double v : grid->values) grid->points.push_back(point(u, v, t));
  }
  return [this, grid, t](double u, double v) {
    Grid& g = *grid;
    const std::size_t n = g.values.size();
    const std::size_t i = g.indexOf(u, &g.lastU), j = g.indexOf(v, &g.lastV);
    return i < n && j < n ? g.points[i * n + j] : point(u, v, t);
  };
}
