// The cell a reader looks into, marked so that it is found at a glance: its face tinted yellow
// within a thick black band (yellow stands out from the blue background, black from every
// grey a cell has), and its vectors as arrows with heads: e1 from P00 to P01 (green), e2 from
// P00 to P11 (blue), the facet normal n from the centre (magenta) and the surface's own normal
// N from the point at the cell's middle (cyan), both of unit length.
#pragma once

#include "geometry/derivative.h"
#include "render/mesh.h"

struct Marker {
  Cell cell;
  SurfaceNormal own;  // at the middle of the cell's parameter range
};

// The marker's colours, lit fully: each part faces the light.
inline constexpr float kMarkerFace[3] = {1, 1, 0};
inline constexpr float kMarkerOutline[3] = {0, 0, 0};
inline constexpr float kArrowE1[3] = {0, 0.6f, 0};
inline constexpr float kArrowE2[3] = {0, 0.3f, 1};
inline constexpr float kArrowFacet[3] = {1, 0, 1};
inline constexpr const float (&kArrowOwn)[3] = kOwnNormalColour;

// Widths, in the window's pixels, of the outline and the arrows.
constexpr float kMarkerOutlineWidth = 6;  // half of it outside the face
constexpr float kArrowWidth = 3;
constexpr float kFacetArrowWidth = 5;
constexpr float kOwnArrowWidth = 2;

// Every part is drawn pulled toward the eye by this share of its distance from it: on the same
// line of sight, so in the same place in the picture, but in front of its own cell.
constexpr double kMarkerPull = 0.02;

// Draws `marker` as seen from `eye` looking at `centre`, after the cells and before the
// caption; leaves the line width at the viewer's.
void drawMarker(const Marker& marker, const double eye[3], const double centre[3]);
