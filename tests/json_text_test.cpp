// The explorer's JSON pieces: a number reads back as the same double, one JSON cannot hold is
// null, and a string's quotes, backslashes and control characters are escaped as JSON has them.
#include "explorer/json_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>

namespace {

TEST(JsonText, NumbersReadBackAndStringsAreEscaped) {
  for (const double x : {0.1, -1.0 / 3, 6.283185307179586, 1e-300, 1.7976931348623157e308,
                         std::numeric_limits<double>::denorm_min()}) {
    SCOPED_TRACE(x);
    EXPECT_EQ(std::strtod(jsonNumber(x).c_str(), nullptr), x);
  }
  for (const double x : {std::nan(""), HUGE_VAL, -HUGE_VAL}) EXPECT_EQ(jsonNumber(x), "null");
  EXPECT_EQ(jsonNumbers({}), "[]");
  EXPECT_EQ(jsonNumbers({1, std::nan(""), -2}), "[1,null,-2]");
  const struct {
    const char* text;
    const char* json;
  } strings[] = {
      {"", "\"\""},
      {"X=u*5, Y=0", "\"X=u*5, Y=0\""},
      {"a \"b\" \\ c", "\"a \\\"b\\\" \\\\ c\""},
      {"tab\there\nnew\x01", "\"tab\\u0009here\\u000anew\\u0001\""},
      {"Möbius", "\"Möbius\""},
  };
  for (const auto& s : strings) EXPECT_EQ(jsonString(s.text), s.json) << s.text;
  EXPECT_EQ(JsonObject().text(), "{}");
  EXPECT_EQ(JsonObject().add("a", "1").add("b", jsonBool(false)).text(), "{\"a\":1,\"b\":false}");
}

}  // namespace
