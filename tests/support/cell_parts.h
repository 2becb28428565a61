// A cell's parts drawn one at a time, each as the viewer's own cell draws it, for tests that
// compose a frame with a part left out.
#pragma once

#include "geometry/cell.h"

// The lit face: white, the facet normal, the quad in the viewer's corner order.
void drawCellFace(const Cell& c);
// The red line along the normal, with the zero normal.
void drawCellNormalLine(const Cell& c);
