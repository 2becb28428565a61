// The tessellated surface as drawn: each cell's lit quad, black outline and red normal line.
#pragma once

#include "geometry/cell.h"
#include "geometry/facet_normals.h"
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
// The colour N is drawn in, as a line and as the marker's arrow: cyan, which the line's
// ambient-only light darkens to teal.
inline constexpr float kOwnNormalColour[3] = {0, 1, 1};

// How a cell's face is lit: flat by its facet normal (the viewer's), or at each corner by the
// vertex normal there (smooth shading: lit per vertex and blended across the face), or by the
// surface's own normal there (exact). A corner without one (a degenerate point, a pole) takes
// its cell's facet normal.
enum class Shading { kFlat = 0, kSmooth = 1, kExact = 2 };

// How the cells look where they differ from the viewer's own.
struct MeshLook {
  NormalLines lines = NormalLines::kFacet;
  FacetNormal facet = FacetNormal::kCorner;  // the red lines' and the flat face's normal
  Shading shading = Shading::kFlat;
};

// Every cell of the current surface.
void drawMesh();

// Every cell of the surface `point` on `grid` that is drawable (isDrawable), each as drawCell
// draws it (as `look` says); how many were left out.
int drawMesh(const PointFunction& point, const Grid& grid = Grid{}, const MeshLook& look = {});
