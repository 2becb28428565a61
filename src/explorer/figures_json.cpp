// The figures as the page's JSON: a file of its own, so that the page links no more of the
// figures' text than it shows.
#include <cmath>
#include <cstdio>

#include "explorer/figures.h"

namespace {

// A number JSON can hold, to the digits that give the double back; null for one it cannot.
void number(std::string* json, const char* name, double x) {
  char text[48];
  if (std::isfinite(x)) {
    std::snprintf(text, sizeof text, ",\"%s\":%.17g", name, x);
  } else {
    std::snprintf(text, sizeof text, ",\"%s\":null", name);
  }
  *json += text;
}

}  // namespace

std::string figuresJson(const Figures& all) {
  char text[160];
  if (all.halved) {
    std::snprintf(text, sizeof text, "{\"half\":[%d,%d],\"kinds\":[", all.half.cellsU,
                  all.half.cellsV);
  } else {
    std::snprintf(text, sizeof text, "{\"half\":null,\"kinds\":[");
  }
  std::string json = text;
  for (int k = 0; k < kNormalKinds; ++k) {
    const Figure& f = all.at[k];
    std::snprintf(text, sizeof text,
                  "%s{\"kind\":\"%s\",\"counted\":%d,\"undefined\":%d,\"degenerate\":%d,"
                  "\"noNormal\":%d,\"notSmooth\":%d,\"unreliable\":%d",
                  k > 0 ? "," : "", kindName(f.kind), f.counted, f.undrawable, f.degenerate,
                  f.noNormal, f.notSmooth, f.unreliable);
    json += text;
    if (f.worst[0] >= 0) {
      std::snprintf(text, sizeof text, ",\"worst\":[%d,%d]", f.worst[0], f.worst[1]);
      json += text;
    } else {
      json += ",\"worst\":null";
    }
    number(&json, "largest", f.largest);
    number(&json, "mean", f.mean);
    number(&json, "coarseLargest", all.halved ? all.coarse[k].largest : NAN);
    number(&json, "coarseMean", all.halved ? all.coarse[k].mean : NAN);
    number(&json, "order", all.order[k]);
    number(&json, "orderOfMean", all.orderOfMean[k]);
    json += "}";
  }
  return json + "]}";
}
