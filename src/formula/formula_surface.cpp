#include "formula/formula_surface.h"

#include <muParser.h>

#include <cctype>
#include <cmath>
#include <deque>
#include <utility>

#include "formula/formula_checks.h"
#include "geometry/surface.h"

struct FormulaSurface::Parsers {
  // The variables the compiled formulas read: muparser keeps their addresses.
  double u = 0, v = 0, t = 0;
  // The constants, made as the parsers meet their names; a deque keeps each one's address.
  std::deque<std::pair<std::string, double>> constants;
  // Each coordinate alone, to say which one is refused and why.
  mu::Parser coordinate[3];
  // The three at once, as muparser evaluates a list: one call a point.
  mu::Parser point;
};

namespace {

// muparser's factory for a name it does not know: a constant of the surface's, the same one
// for every parser that meets the name.
double* constantNamed(const mu::char_type* name, void* data) {
  auto& constants = static_cast<std::deque<std::pair<std::string, double>>*>(data)[0];
  for (auto& c : constants) {
    if (c.first == name) return &c.second;
  }
  constants.emplace_back(name, kConstantDefault);
  return &constants.back().second;
}

// The column (from 1) where `name` first stands alone in `text`.
int columnOf(const std::string& text, const std::string& name) {
  const auto isName = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; };
  for (std::size_t at = text.find(name); at != std::string::npos; at = text.find(name, at + 1)) {
    if ((at == 0 || !isName(text[at - 1])) &&
        (at + name.size() == text.size() || !isName(text[at + name.size()]))) {
      return static_cast<int>(at) + 1;
    }
  }
  return 0;
}

}  // namespace

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
  parser->DefineConst("e", kFormulaE);
  parser->SetVarFactory(constantNamed, &p->constants);
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
    // The constants this field brought: none a name the link uses, and no more than the most.
    for (std::size_t k = surface->constantNames_.size(); k < p.constants.size(); ++k) {
      const std::string& name = p.constants[k].first;
      const int column = columnOf(text, name);
      for (const char* taken : kLinkNames) {
        if (name == taken) {
          *error = refusal(field, column,
                           "\"" + name + "\" is a name the link uses, so it cannot be a constant");
          return nullptr;
        }
      }
      if (k >= kMostConstants) {
        *error = refusal(field, column, "more than " + std::to_string(kMostConstants) +
                                            " constants: \"" + name + "\"");
        return nullptr;
      }
      surface->constantNames_.push_back(name);
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

double FormulaSurface::constant(const std::string& name) const {
  for (const auto& c : parsers_->constants) {
    if (c.first == name) return c.second;
  }
  return 0;
}

bool FormulaSurface::setConstant(const std::string& name, double value) {
  if (!std::isfinite(value)) return false;
  for (auto& c : parsers_->constants) {
    if (c.first != name) continue;
    c.second = value;
    return true;
  }
  return false;
}

Vector3 FormulaSurface::point(double u, double v, double t) {
  Parsers& p = *parsers_;
  p.u = u;
  p.v = v;
  p.t = t;
  int n = 0;
  const double* xyz = p.point.Eval(n);
  return {xyz[0], xyz[1], xyz[2]};
}
