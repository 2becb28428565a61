// The tessellated surface as drawn: each cell's lit quad, black outline and red normal line.
#pragma once

#include "geometry/cell.h"

// Lifts each outline off its own quad so the depth test does not hide it.
constexpr double kOutlineLift = 0.001;

// Lit quad, black outline and red normal line of one cell.
void drawCell(const Cell& cell);

// Every cell of the current surface.
void drawMesh();

// Every cell of the surface `point` whose four corners are all finite, each as drawCell draws
// it; how many were left out.
int drawMesh(const PointFunction& point);
