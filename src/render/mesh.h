// The tessellated surface as drawn: each cell's lit quad, black outline and red normal line.
#pragma once

#include "geometry/cell.h"
#include "geometry/grid.h"

// The width of every line the viewer draws, in the window's pixels.
constexpr float kLineWidth = 2.0f;

// Lifts each outline off its own quad so the depth test does not hide it.
constexpr double kOutlineLift = 0.001;

// Lit quad, black outline and red normal line of one cell.
void drawCell(const Cell& cell);
// The same without the red line.
void drawCellFaceAndOutline(const Cell& cell);
// The red normal line alone, after its cell's outline (whose zero normal it keeps).
void drawFacetLine(const Cell& cell);

// Which normals a frame draws for every cell: the viewer's facet normals (red), the surface's
// own normals at every cell's middle (teal, half a unit against N, as the red line runs
// against n), or both.
enum class NormalLines { kFacet = 0, kSurface = 1, kBoth = 2 };

// Every cell of the current surface.
void drawMesh();

// Every cell of the surface `point` on `grid` that is drawable (isDrawable), each as drawCell
// draws it (with the normal lines `lines`); how many were left out.
int drawMesh(const PointFunction& point, const Grid& grid = Grid{},
             NormalLines lines = NormalLines::kFacet);
