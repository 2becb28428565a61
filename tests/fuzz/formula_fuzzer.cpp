// libFuzzer target for the formula layer: the input, split at its first two line ends, is the
// three fields X, Y and Z. A surface that parses has every cell of the grid worked out from it,
// as the mesh works them out; a refusal must name its field and a column within it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "formula/formula_surface.h"
#include "geometry/cell.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  std::string fields[3] = {"0", "0", "0"};
  std::size_t start = 0;
  for (int k = 0; k < 3 && start <= input.size(); ++k) {
    const std::size_t end = k < 2 ? input.find('\n', start) : std::string::npos;
    fields[k] = input.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (end == std::string::npos) break;
    start = end + 1;
  }
  FormulaError error;
  const auto own = FormulaSurface::parse(fields[0], fields[1], fields[2], &error);
  if (own == nullptr) {
    const bool named = error.field >= 0 && error.field < 3 && error.message.size() > 3 &&
                       error.message[0] == "XYZ"[error.field] && error.message[1] == ':';
    const bool placed = error.column >= 0 &&
                        static_cast<std::size_t>(error.column) <= fields[error.field].size() + 1;
    if (!named || !placed) std::abort();
    return 0;
  }
  const PointFunction point = [&own](double u, double v) { return own->point(u, v, 0.5); };
  sweepGrid([&](double u, double uNext, double v, double vNext) {
    const Cell c = cellAt(point, u, uNext, v, vNext);
    // A cell drawn has a normal of length 1 or less, never a value that is not a number.
    if (isDrawable(c) && !(c.normal.length() <= 1.0 + 1e-12)) std::abort();
  });
  return 0;
}
