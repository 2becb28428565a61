// What is wrong with a formula, said for a person: the checks made before muparser sees it,
// and muparser's own refusals said in the viewer's words. Each message names the field, what
// is wrong and where.
#pragma once

#include <string>

#include "formula/formula_surface.h"

// The field's letter, X, Y or Z.
char fieldName(int field);
// An error for a text that muparser should not see: empty, too long, a character the caption's
// font cannot draw, an assignment. No error (field -1) when it may be parsed.
FormulaError checkText(int field, const std::string& text);
// muparser's refusal (its error code, token, position from 0, and message), said so.
FormulaError fromParser(int field, const std::string& text, int code, const std::string& token,
                        int position, const std::string& message);
// Refusal of `field` at `column` (from 1; 0 for none) for `what`.
FormulaError refusal(int field, int column, const std::string& what);
// A text that is several formulas, separated by a comma outside any function.
FormulaError severalResults(int field, const std::string& text);
