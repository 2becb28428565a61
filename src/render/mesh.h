// The tessellated surface as drawn: each cell's lit quad, black outline and red normal line.
#pragma once

#include "geometry/cell.h"

// Lifts each outline off its own quad so the depth test does not hide it.
constexpr double kOutlineLift = 0.001;

// Lit quad, black outline and red normal line of one cell.
void drawCell(const Cell& cell);

// Every cell of the current surface.
void drawMesh();

// The outline of one cell in a colour no other line has (yellow, dimmed to olive by the
// ambient light like every line), lifted twice as far as the outlines so that it shows over
// its cell's own: the cell a reader is looking into.
constexpr double kMarkerLift = 2 * kOutlineLift;
void drawMarker(const Cell& cell);

// Every cell of the surface `point` whose four corners are all finite, each as drawCell draws
// it; how many were left out.
int drawMesh(const PointFunction& point);
