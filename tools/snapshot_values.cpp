#include "snapshot_values.h"

#include <climits>
#include <cmath>
#include <initializer_list>
#include <vector>

#include "explorer/view.h"
#include "formula/formula_number.h"
#include "geometry/grid.h"
#include "snapshot_options.h"

namespace {

// The words of `text` between commas: exactly `count` of them, or the option's usage.
std::vector<std::string> words(const CommandLine& args, const std::string& text, std::size_t count,
                               const std::string& takes) {
  std::vector<std::string> out;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find(',', start)) != std::string::npos; start = end + 1) {
    out.push_back(text.substr(start, end - start));
  }
  out.push_back(text.substr(start));
  if (out.size() != count) args.fail(args.option() + " takes " + takes + ", not '" + text + "'");
  return out;
}

}  // namespace

void readEye(const CommandLine& args, const std::string& text, double eye[3]) {
  const std::vector<std::string> w = words(args, text, 3, "three numbers: X,Y,Z");
  for (int k = 0; k < 3; ++k) eye[k] = args.number(w[k], -HUGE_VAL);
  // Looking at the origin with Y up: neither from the origin itself nor from straight above or
  // below it, where Y up is the line of sight; and no nearer the vertical than the page's view.
  if (eye[0] == 0 && eye[2] == 0) {
    args.fail(eye[1] == 0 ? "--eye: the eye cannot be at the origin it looks at"
                          : "--eye: straight above or below the origin, Y cannot be up");
  }
  const double latitude = std::atan2(std::fabs(eye[1]), std::hypot(eye[0], eye[2])) / kDegree;
  if (latitude > kLatitudeLimit) {
    args.fail("--eye: " + std::to_string(latitude).substr(0, 5) + " degrees from the horizon; " +
              "the view comes no nearer the vertical than " +
              std::to_string(static_cast<int>(kLatitudeLimit)));
  }
}

void readCell(const CommandLine& args, const std::string& text, int cell[2]) {
  const std::vector<std::string> w = words(args, text, 2, "a row and a column: ROW,COLUMN");
  for (int k = 0; k < 2; ++k) cell[k] = args.integer(w[k], 0, kMostCells * kMostCells);
}

void readCells(const CommandLine& args, const std::string& text, int cells[2]) {
  const bool one = text.find(',') == std::string::npos;
  const std::vector<std::string> w =
      words(args, text, one ? 1 : 2, "the cells along u and along v: NU or NU,NV");
  for (std::size_t k = 0; k < w.size(); ++k) {
    cells[k] = args.integer(w[k], INT_MIN, INT_MAX);
    const std::string refusal =
        cellsRefusal(k == 0 ? "--cells along u" : "--cells along v", cells[k]);
    if (!refusal.empty()) args.fail(refusal + ", not " + w[k]);
  }
  if (one) cells[1] = cells[0];
}

void readRange(const CommandLine& args, const std::string& text, double range[2]) {
  const std::vector<std::string> w = words(args, text, 2, "a range: A,B");
  // Each end as a formula's constant part may be: 2*pi, pi/2, -1.5.
  for (int k = 0; k < 2; ++k) {
    const std::string refusal = evaluateNumber(args.option(), w[k], &range[k]);
    if (!refusal.empty()) args.fail(refusal);
  }
  const std::string refusal = rangeRefusal(args.option(), range[0], range[1]);
  if (!refusal.empty()) args.fail(refusal);
}

std::pair<std::string, double> readSetting(const CommandLine& args, const std::string& text) {
  const std::size_t equals = text.find('=');
  if (equals == std::string::npos || equals == 0) {
    args.fail("--set takes a constant and its value: NAME=VALUE, not '" + text + "'");
  }
  return {text.substr(0, equals), args.number(text.substr(equals + 1), -HUGE_VAL)};
}

Grid SnapshotOptions::grid() const {
  const bool ranged = uRange[0] != uRange[1] || vRange[0] != vRange[1];
  if (cells[0] == 0 && !ranged) return Grid{};
  const int nu = cells[0] > 0 ? cells[0] : kGridSize, nv = cells[1] > 0 ? cells[1] : kGridSize;
  if (!ranged) return Grid::over(nu, nv);
  const double end = gridEnd();
  return Grid::over(nu, nv, uRange[0] != uRange[1] ? uRange[0] : kGridStart,
                    uRange[0] != uRange[1] ? uRange[1] : end,
                    vRange[0] != vRange[1] ? vRange[0] : kGridStart,
                    vRange[0] != vRange[1] ? vRange[1] : end);
}

namespace {

// The value among `names` that `text` names, its index; the program ends naming the choices
// otherwise.
int choice(const CommandLine& args, const char* option, std::initializer_list<const char*> names,
           const std::string& text) {
  int k = 0;
  std::string all;
  for (const char* name : names) {
    if (text == name) return k;
    all += std::string(k == 0 ? "" : k + 1 == static_cast<int>(names.size()) ? " or " : ", ") +
           name;
    ++k;
  }
  args.fail(std::string(option) + " takes " + all + ", not '" + text + "'");
  return 0;
}

}  // namespace

NormalLines readNormalLines(const CommandLine& args, const std::string& text) {
  return static_cast<NormalLines>(choice(args, "--normals", {"facet", "surface", "both"}, text));
}

FacetNormal readFacet(const CommandLine& args, const std::string& text) {
  return static_cast<FacetNormal>(choice(args, "--facet", {"corner", "diagonals"}, text));
}

Shading readShading(const CommandLine& args, const std::string& text) {
  return static_cast<Shading>(choice(args, "--shading", {"flat", "smooth", "exact"}, text));
}
