// The cells of a surface as a Wavefront OBJ file, for any 3-D program: each cell's four corners
// and one face with its facet normal, and each cell's red line, exactly as the viewer works
// them out. Text only: no OpenGL, no files.
#pragma once

#include <functional>
#include <string>

#include "geometry/cell.h"
#include "geometry/grid.h"

// The cell [u, uNext] x [v, vNext] of the surface being written.
using CellMaker = std::function<Cell(double u, double uNext, double v, double vNext)>;

// What the file's comments say of where the cells came from.
struct ObjNotes {
  std::string version;  // the program's
  std::string formula;  // the surface's, as its caption shows it
  bool animate = false;
  float phase = 0.0f;  // with the animation on
  Grid grid;           // the cells written, one for each of its cells
};

// The file's text: a group "cells" (four vertices a cell, in the order the viewer draws its
// quad, and a face over them with the cell's normal) and a group "normals" (each cell's centre
// and the end of its red line, and a line between them). Every number is written with 17
// significant digits, so that a reader gets back the same doubles. A cell the picture leaves out
// (isDrawable) is left out, and the comments say how many, as does `leftOut` when given.
std::string cellsAsObj(const CellMaker& cells, const ObjNotes& notes, int* leftOut = nullptr);

// The name a file of surface `surface` (kSurfaceCount for one's own) is written under, without
// its ending: "surface-K", or "formula".
std::string surfaceFileStem(unsigned surface);
