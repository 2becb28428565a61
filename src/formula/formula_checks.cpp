#include "formula/formula_checks.h"

#include <muParserDef.h>

#include <cctype>

namespace {

FormulaError at(int field, int column, const std::string& what) {
  std::string message = std::string(1, fieldName(field)) + ": " + what;
  if (column > 0) message += " at column " + std::to_string(column);
  return {field, column, message};
}

// The column (from 1) of the last opening parenthesis left open, or 0.
int openParenthesis(const std::string& text) {
  std::string::size_type open[kMaxFormulaLength];
  int depth = 0;
  for (std::string::size_type i = 0; i < text.size(); ++i) {
    if (text[i] == '(') open[depth++] = i;
    if (text[i] == ')' && depth > 0) --depth;
  }
  return depth > 0 ? static_cast<int>(open[depth - 1]) + 1 : 0;
}

// The name at the start of `token`, or "" when it does not start with one.
std::string leadingName(const std::string& token) {
  std::string name;
  for (char c : token) {
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') break;
    name += c;
  }
  return name.empty() || std::isdigit(static_cast<unsigned char>(name[0])) ? "" : name;
}

}  // namespace

char fieldName(int field) { return "XYZ"[field]; }

FormulaError refusal(int field, int column, const std::string& what) {
  return at(field, column, what);
}

FormulaError checkText(int field, const std::string& text) {
  if (text.find_first_not_of(' ') == std::string::npos) return at(field, 0, "the formula is empty");
  if (text.size() > kMaxFormulaLength) {
    return at(field, 0,
              "the formula is longer than " + std::to_string(kMaxFormulaLength) + " characters");
  }
  for (std::string::size_type i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    const int column = static_cast<int>(i) + 1;
    if (c < 0x20 || c > 0x7e) {
      return at(field, column, "a character the caption cannot show (printable ASCII only)");
    }
    // A lone "=" sets a variable; "==", "<=", ">=" and "!=" compare.
    const bool compares = (i > 0 && std::string("=<>!").find(text[i - 1]) != std::string::npos) ||
                          (i + 1 < text.size() && text[i + 1] == '=');
    if (c == '=' && !compares)
      return at(field, column, "\"=\" sets a variable, which a formula may not");
  }
  return {};
}

FormulaError fromParser(int field, const std::string& text, int code, const std::string& token,
                        int position, const std::string& message) {
  const int column = position >= 0 && position < static_cast<int>(text.size()) ? position + 1 : 0;
  switch (code) {
    case mu::ecUNASSIGNABLE_TOKEN: {
      const std::string name = leadingName(token);
      if (!name.empty()) return at(field, column, "unknown name \"" + name + "\"");
      return at(field, column, "\"" + token.substr(0, 1) + "\" is not part of a formula");
    }
    case mu::ecUNEXPECTED_EOF:
      return at(field, 0, "the formula ends too soon");
    case mu::ecMISSING_PARENS:
      return at(field, openParenthesis(text), "a parenthesis opened here is not closed");
    case mu::ecUNEXPECTED_PARENS: {
      // A name that is no function, called: taken as a constant, then refused at its "(".
      std::size_t start = column > 0 ? static_cast<std::size_t>(column - 1) : 0;
      while (start > 0 && (std::isalnum(static_cast<unsigned char>(text[start - 1])) ||
                           text[start - 1] == '_')) {
        --start;
      }
      const std::string name = leadingName(text.substr(start));
      if (token == "(" && !name.empty() && start + name.size() == static_cast<std::size_t>(column - 1)) {
        return at(field, static_cast<int>(start) + 1, "unknown function \"" + name + "\"");
      }
      return at(field, column, "unexpected \"" + token + "\"");
    }
    case mu::ecUNEXPECTED_ARG_SEP:
    case mu::ecUNEXPECTED_OPERATOR:
    case mu::ecUNEXPECTED_VAL:
    case mu::ecUNEXPECTED_VAR:
    case mu::ecUNEXPECTED_FUN:
    case mu::ecUNEXPECTED_ARG:
      return at(field, column, "unexpected \"" + token + "\"");
    case mu::ecTOO_MANY_PARAMS:
    case mu::ecTOO_FEW_PARAMS: {
      // muparser points past the call; the name is where a person looks.
      const std::string::size_type call =
          text.rfind(token + "(", static_cast<std::size_t>(position));
      return at(field, call == std::string::npos ? 0 : static_cast<int>(call) + 1,
                std::string(code == mu::ecTOO_MANY_PARAMS ? "too many" : "too few") +
                    " arguments for \"" + token + "\"");
    }
    case mu::ecUNEXPECTED_STR:
    case mu::ecUNTERMINATED_STRING:
    case mu::ecSTRING_EXPECTED:
    case mu::ecSTR_RESULT: {
      const std::string::size_type quote = text.find('"');
      return at(field, quote == std::string::npos ? column : static_cast<int>(quote) + 1,
                "text in quotes is not part of a formula");
    }
    default:
      return at(field, column, message);
  }
}

FormulaError severalResults(int field, const std::string& text) {
  int depth = 0;
  for (std::string::size_type i = 0; i < text.size(); ++i) {
    if (text[i] == '(') ++depth;
    if (text[i] == ')') --depth;
    if (text[i] == ',' && depth == 0) {
      return at(field, static_cast<int>(i) + 1, "one formula a field: a comma outside a function");
    }
  }
  return at(field, 0, "one formula a field");
}
