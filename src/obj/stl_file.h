// The cells of a surface as a binary STL file, the format whose every facet carries its normal:
// each cell as two triangles, (P00, P11, P01), whose normal is exactly the viewer's facet
// normal, and (P00, P10, P11), each triangle's normal on the side its winding gives. Bytes only:
// no OpenGL, no files.
#pragma once

#include <string>

#include "obj/obj_file.h"

// How many cells a file leaves out, and why.
struct StlCounts {
  int undefined = 0;   // not drawable (isDrawable): a corner undefined or past a float
  int degenerate = 0;  // the facet normal divides by a length under the guard: corners meet
  int triangles = 0;   // written
};

// The file's bytes: an 80-byte header naming the surface (never beginning "solid", which would
// make readers take it for text), the triangle count, and 50 bytes a triangle in little-endian
// single precision. A cell the picture leaves out, or whose facet normal is degenerate, is not
// written; of a cell written, a second triangle with two corners at one point is left out alone.
std::string cellsAsStl(const CellMaker& cells, const ObjNotes& notes, StlCounts* counts);
