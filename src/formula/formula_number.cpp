#include "formula/formula_number.h"

#include <muParser.h>

#include <cmath>

#include "formula/formula_checks.h"
#include "formula/formula_surface.h"
#include "geometry/surface.h"

std::string evaluateNumber(const std::string& field, const std::string& text, double* value) {
  if (text.find_first_not_of(' ') == std::string::npos) return field + ": a number";
  // Checked and said as a formula's are, then named for this field instead of X.
  const auto named = [&field](const FormulaError& e) { return field + e.message.substr(1); };
  const FormulaError checked = checkText(0, text);
  if (checked.field >= 0) return named(checked);
  mu::Parser parser;
  parser.EnableOptimizer(false);  // as the formulas' parsers: no folding through an int
  parser.DefineConst("pi", kFullPi);
  parser.DefineConst("PI", kFullPi);
  parser.DefineConst("e", kFormulaE);
  try {
    parser.SetExpr(text);
    const double x = parser.Eval();
    if (parser.GetNumResults() != 1) return named(severalResults(0, text));
    if (!std::isfinite(x)) return field + ": " + text + " is not a finite number";
    *value = x;
    return "";
  } catch (const mu::Parser::exception_type& e) {
    return named(fromParser(0, text, static_cast<int>(e.GetCode()), e.GetToken(),
                            static_cast<int>(e.GetPos()), e.GetMsg()));
  }
}
