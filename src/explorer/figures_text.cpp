// The figures as the lines normals-snapshot --convergence prints.
#include <cmath>
#include <cstdio>

#include "explorer/figures.h"

namespace {

std::string formatted(const char* format, double a, double b = 0, double c = 0) {
  char text[160];
  std::snprintf(text, sizeof text, format, a, b, c);
  return text;
}

std::string orderWords(double order) {
  if (order >= 0.5 && order < 1.5) return "first order: halves when the cells halve";
  if (order >= 1.5 && order < 2.5) return "second order: quarters when the cells halve";
  return "neither first nor second order";
}

}  // namespace

std::string describe(const Figures& all, NormalKind kind) {
  const int k = static_cast<int>(kind);
  const Figure& f = all.at[k];
  const char* places = kind == NormalKind::kVertex ? "points" : "cells";
  std::string line = std::string(kindName(kind)) + ": ";
  line += formatted("largest %.4f\u00b0, mean %.4f\u00b0 over %.0f ", f.largest, f.mean,
                    f.counted) +
          places;
  std::string apart;
  const auto count = [&apart](int n, const char* what) {
    if (n > 0) apart += (apart.empty() ? "" : ", ") + std::to_string(n) + " " + what;
  };
  count(f.undrawable, "undefined");
  count(f.degenerate, "degenerate");
  count(f.noNormal, "with no own normal");
  count(f.notSmooth, "not smooth");
  count(f.unreliable, "not computed reliably");
  if (!apart.empty()) line += "; " + apart + " left out";
  if (all.halved) {
    const std::string half = formatted("%.0f \u00d7 %.0f cells", all.half.cellsU, all.half.cellsV);
    line += std::isnan(all.order[k])
                ? "; no order: exact to rounding here or at " + half
                : formatted("; order %.2f (", all.order[k]) + orderWords(all.order[k]) +
                      formatted("; %.4f\u00b0, mean %.4f\u00b0 at ", all.coarse[k].largest,
                                all.coarse[k].mean) +
                      half + ")";
    if (!std::isnan(all.orderOfMean[k])) line += formatted(", of the mean %.2f", all.orderOfMean[k]);
  }
  if (f.worst[0] >= 0 && f.largest > kExactDegrees) {
    line += kind == NormalKind::kVertex
                ? formatted("; worst at grid point %.0f, %.0f", f.worst[0], f.worst[1])
                : formatted("; worst in row %.0f, column %.0f", f.worst[0], f.worst[1]);
  }
  return line;
}

std::string describe(const Figures& all) {
  std::string text;
  for (int k = 0; k < kNormalKinds; ++k) {
    text += (k > 0 ? "\n" : "") + describe(all, static_cast<NormalKind>(k));
  }
  return text;
}
