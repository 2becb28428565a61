// A surface of one's own: X, Y and Z as formulas in u, v and t, parsed once by muparser and
// evaluated in its compiled form at every corner. The geometry does not know of it: it is
// handed a point function like any surface.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "app/viewer_state.h"
#include "geometry/cell.h"
#include "geometry/vector3.h"

namespace mu {
class Parser;
}

// The constant e a formula may name: full precision, as its pi is (kFullPi), unlike the
// viewer's own truncated circle constant, which its built-in surfaces keep.
constexpr double kFormulaE = 2.718281828459045;
// The longest formula a field takes.
constexpr std::size_t kMaxFormulaLength = 256;
// The most constants the three formulas may name together, and the value each starts at.
constexpr std::size_t kMostConstants = 8;
constexpr double kConstantDefault = 1;
// Names a link gives a meaning of its own, which no constant may take (nor u, v and t, the
// variables, nor pi, PI and e).
inline constexpr const char* kLinkNames[] = {
    "x", "y", "z", "surface", "still", "view", "cell", "inspect", "normals", "facet", "shading",
    "large", "cells", "set"};

// Why a formula was refused, for a person: `message` names the field, what is wrong and where
// (`Y: unknown function "sinn" at column 3`).
struct FormulaError {
  int field = -1;  // 0, 1, 2: X, Y, Z
  int column = 0;  // from 1; 0 when no one place is at fault
  std::string message;
};

class FormulaSurface {
 public:
  // The surface whose coordinates are the formulas `x`, `y` and `z`; null, with `error` set,
  // when one of them is not a formula the viewer takes.
  static std::unique_ptr<FormulaSurface> parse(const std::string& x, const std::string& y,
                                               const std::string& z, FormulaError* error);
  ~FormulaSurface();
  FormulaSurface(const FormulaSurface&) = delete;
  FormulaSurface& operator=(const FormulaSurface&) = delete;

  // The point at parameters (u, v), the animation's phase being `t`. Coordinates that are not
  // defined there (a logarithm of a negative number) are not finite. Not const: the compiled
  // formulas read u, v and t from the parsers' own variables, which it sets.
  Vector3 point(double u, double v, double t);
  // The surface at phase `t`, as a point function.
  PointFunction at(double t) {
    return [this, t](double u, double v) { return point(u, v, t); };
  }
  // The surface as a frame of `state` shows it: t is the phase while the animation runs, and 0
  // at rest, whatever the phase.
  PointFunction at(const ViewerState& state) { return at(state.animate ? state.phase : 0.0); }
  // The formulas as typed, written as the built-in surfaces' captions are:
  // "X=..., Y=..., Z=...".
  const std::string& caption() const { return caption_; }
  // The formula of one coordinate (0, 1, 2: X, Y, Z) as typed.
  const std::string& formula(int field) const { return texts_[field]; }

  // Every other name in the formulas is a constant, kConstantDefault until set: their names,
  // in the order they first appear (X's, then Y's, then Z's).
  const std::vector<std::string>& constants() const { return constantNames_; }
  double constant(const std::string& name) const;
  // Sets constant `name`; false, changing nothing, for a name the formulas do not have or a
  // value that is not finite.
  bool setConstant(const std::string& name, double value);

 private:
  struct Parsers;
  FormulaSurface();
  // Gives `parser` the variables u, v and t of `p`, and the constants.
  static void define(Parsers* p, mu::Parser* parser);
  std::unique_ptr<Parsers> parsers_;
  std::vector<std::string> constantNames_;
  std::string texts_[3];
  std::string caption_;
};
