// One cell looked into: the numbers behind its face, worked out by the code that draws it (the
// cell arithmetic, and the fixed-function lighting the browser's GL layer lights it with),
// beside the surface's own normal at the cell's middle; and the cell under a point of the
// picture, found with the frame's own matrices. The page and normals-snapshot use it.
#pragma once

#include <string>

#include "geometry/derivative.h"
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

// How close the facet normals come to the surface's own at the cells' middles, over a grid:
// the largest and the mean angle between them, in degrees, over the cells drawn that have an
// own normal; the cells drawn without one are counted apart.
struct Convergence {
  double largest = 0, mean = 0;
  int cells = 0;     // over which they are taken
  int noNormal = 0;  // drawn cells where the surface has no normal (or the facet normal is 0)
};
Convergence convergence(const PointFunction& point, const Grid& grid = Grid{});
// As one line of text: "largest 1.4118°, mean 0.5246° over 441 cells".
std::string describe(const Convergence& c);
