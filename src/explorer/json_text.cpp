#include "explorer/json_text.h"

#include <cmath>
#include <cstdio>

std::string jsonNumber(double x) {
  if (!std::isfinite(x)) return "null";
  char text[32];
  std::snprintf(text, sizeof text, "%.17g", x);
  return text;
}

std::string jsonNumbers(std::initializer_list<double> xs) {
  std::string text = "[";
  for (const double x : xs) text += jsonNumber(x) + ",";
  if (xs.size() == 0) text += ",";
  text.back() = ']';
  return text;
}

std::string jsonString(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
      out += escape;
    } else {
      out += c;
    }
  }
  return out + "\"";
}
