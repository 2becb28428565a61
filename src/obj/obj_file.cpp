#include "obj/obj_file.h"

#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>

#include "app/viewer_state.h"

namespace {

void append(std::string* text, const char* format, double a, double b, double c) {
  char line[96];
  std::snprintf(line, sizeof line, format, a, b, c);
  *text += line;
}

void vertex(std::string* text, const Vector3& p) {
  append(text, "v %.17g %.17g %.17g\n", p.x, p.y, p.z);
}

// The drawable cells of `grid`, rows outer and columns inner; how many are not in
// `leftOut`.
std::vector<Cell> keptCells(const CellMaker& cells, const Grid& grid, int* leftOut) {
  std::vector<Cell> kept;
  *leftOut = 0;
  for (int row = 0; row < grid.cellsU; ++row) {
    for (int column = 0; column < grid.cellsV; ++column) {
      const GridCell g = grid.cell(row, column);
      const Cell c = cells(g.u, g.uNext, g.v, g.vNext);
      if (isDrawable(c)) {
        kept.push_back(c);
      } else {
        ++*leftOut;
      }
    }
  }
  return kept;
}

// The comments that open the file: what made it, of which surface, phase and grid, how many
// cells it holds and leaves out, and how its faces and lines stand to the normals.
std::string header(const ObjNotes& notes, std::size_t kept, int leftOut) {
  char line[320];
  std::string text = "# normals " + notes.version +
                     ": the cells of a surface, as the facet normals viewer draws them\n"
                     "# surface: " +
                     notes.formula + "\n";
  if (notes.animate) {
    std::snprintf(line, sizeof line, "# phase: %.9g, the animation on\n",
                  static_cast<double>(notes.phase));
  } else {
    std::snprintf(line, sizeof line, "# phase: at rest, the animation off\n");
  }
  text += line;
  const Grid& grid = notes.grid;
  if (grid.viewers) {
    std::snprintf(line, sizeof line,
                  "# grid: u and v from %g in steps of %g, %d x %d cells, each with four corners "
                  "of its own\n",
                  kGridStart, kGridStep, kGridSize, kGridSize);
  } else {
    std::snprintf(line, sizeof line,
                  "# grid: u from %.17g to %.17g in %d cells, v from %.17g to %.17g in %d cells, "
                  "each with four corners of its own\n",
                  grid.u0, grid.u1, grid.cellsU, grid.v0, grid.v1, grid.cellsV);
  }
  text += line;
  std::snprintf(line, sizeof line,
                "# %zu cells; %d left out, a corner, the centre, the normal or the line's end not "
                "being finite and within single precision\n",
                kept, leftOut);
  text += line;
  return text +
         "# each cell: a face through P00 P01 P11 P10 with its facet normal, "
         "normalise(e2 x e1);\n# each face is wound P00 P01 P11 P10 as the viewer draws it, so its "
         "winding faces the red line\n# and its vn the other way, as in the viewer\n"
         "# each red line: from the cell's centre half a unit against the normal\n";
}

}  // namespace

std::string cellsAsObj(const CellMaker& cells, const ObjNotes& notes, int* leftOutCount) {
  int leftOut = 0;
  const std::vector<Cell> kept = keptCells(cells, notes.grid, &leftOut);
  if (leftOutCount != nullptr) *leftOutCount = leftOut;
  std::string text = header(notes, kept.size(), leftOut) + "o surface\ng cells\n";
  char line[160];
  for (std::size_t k = 0; k < kept.size(); ++k) {
    const Cell& c = kept[k];
    for (const Vector3& p : {c.p00, c.p01, c.p11, c.p10}) vertex(&text, p);
    append(&text, "vn %.17g %.17g %.17g\n", c.normal.x, c.normal.y, c.normal.z);
    const std::size_t first = 4 * k + 1, n = k + 1;
    std::snprintf(line, sizeof line, "f %zu//%zu %zu//%zu %zu//%zu %zu//%zu\n", first, n, first + 1,
                  n, first + 2, n, first + 3, n);
    text += line;
  }
  text += "g normals\n";
  const std::size_t base = 4 * kept.size();
  for (std::size_t k = 0; k < kept.size(); ++k) {
    vertex(&text, kept[k].centre);
    vertex(&text, kept[k].lineEnd);
    std::snprintf(line, sizeof line, "l %zu %zu\n", base + 2 * k + 1, base + 2 * k + 2);
    text += line;
  }
  return text;
}

std::string surfaceFileStem(unsigned surface) {
  return surface < kSurfaceCount ? "surface-" + std::to_string(surface) : "formula";
}
