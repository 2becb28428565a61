// One cell looked into: the numbers behind its face, worked out by the code that draws it (the
// cell arithmetic, and the fixed-function lighting the browser's GL layer lights it with),
// beside the surface's own normal at the cell's middle; and the cell under a point of the
// picture, found with the frame's own matrices. The page and normals-snapshot use it.
#pragma once

#include <string>

#include "geometry/derivative.h"
#include "geometry/facet_normals.h"
#include "geometry/grid.h"
#include "render/frame.h"

struct Inspection {
  int row = 0, column = 0;  // along u (the sweep's outer loop) and along v
  GridCell parameters{};
  Cell cell;
  std::string leftOut;       // why the cell is not drawn (whyLeftOut), or "" when it is
  Vector3 e1, e2;            // P01 - P00, along v; P11 - P00, the diagonal
  double lengths[3] = {};    // of e2, e1 and e2 x e1 (normalised), as normalising divides
  bool guarded = false;      // one of them under kMinDivisor: the guard divided instead
  float eyeNormal[3] = {};   // the normal in eye space, as the light sees it
  float normalDotLight = 0;  // with the direction toward the light
  float shade = 0;           // the face's lit grey, 0.5 + 0.5 max(0, n.l)
  int level = 0;             // as the frame buffer's eight bits hold it
  SurfaceNormal own;         // at the middle of the parameter range: point, r_u, r_v, N
  double middle[2] = {};     // that middle, (u_m, v_m)
  double angle = -1;         // between n and N, in degrees; negative where either is missing
  Facet diagonal;            // the diagonals' normal
  double diagonalAngle = -1; // between it and N, as `angle`
  Facet vertex[4];           // the vertex normals at P00, P10, P01 and P11

  // The marker that shows it in the picture.
  Marker marker() const { return {cell, own}; }
};

// The cell in `row` and `column` of the surface `point` on `grid`, seen with `camera`.
Inspection inspect(const PointFunction& point, int row, int column, const Camera& camera,
                   const Grid& grid = Grid{});
// The inspection as one JSON object, every number with the digits that give it back exactly;
// a number that is not finite, and an own normal or angle that is missing, is null.
std::string asJson(const Inspection& inspection);

// The cell (row * grid.cellsV + column) of `grid` whose face covers the point (x, y) of a
// drawing buffer `width` x `height` (pixels from its top left) seen with `camera`, the nearest
// where several do; -1 where none does. Quads split as the GL layer splits them.
int pick(const PointFunction& point, const Camera& camera, double x, double y, int width,
         int height, const Grid& grid = Grid{});
