// The pieces of the JSON the explorer hands the page: numbers to the digits that give the
// double back (null for one JSON cannot hold), strings escaped, and objects field by field.
#pragma once

#include <initializer_list>
#include <string>

std::string jsonNumber(double x);
std::string jsonNumbers(std::initializer_list<double> xs);
std::string jsonString(const std::string& text);
inline std::string jsonBool(bool yes) { return yes ? "true" : "false"; }

// An object written one field at a time; `text()` closes it.
struct JsonObject {
  std::string json = "{";
  JsonObject& add(const char* name, const std::string& value) {
    json += std::string("\"") + name + "\":" + value + ",";
    return *this;
  }
  std::string text() const {
    return json.size() > 1 ? json.substr(0, json.size() - 1) + "}" : "{}";
  }
};
