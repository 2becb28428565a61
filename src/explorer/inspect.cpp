#include "explorer/inspect.h"

#include <cmath>
#include <cstdio>

#include "app/startup.h"
#include "explorer/view.h"
#include "pipeline/fixed_function.h"

Inspection inspect(const PointFunction& point, int row, int column, const Camera& camera,
                   const Grid& grid) {
  Inspection in;
  in.row = row;
  in.column = column;
  in.parameters = grid.cell(row, column);
  const GridCell& g = in.parameters;
  in.cell = cellAt(point, g.u, g.uNext, g.v, g.vNext);
  const Cell& c = in.cell;
  in.leftOut = whyLeftOut(c);
  in.e1 = c.p01 - c.p00;
  in.e2 = c.p11 - c.p00;
  // The three lengths the normal's three normalisations divide by, as they compute them.
  in.lengths[0] = in.e2.length();
  in.lengths[1] = in.e1.length();
  in.lengths[2] = in.e2.normalized().cross(in.e1.normalized()).length();
  for (double length : in.lengths) in.guarded = in.guarded || std::fabs(length) < kMinDivisor;

  // Lit as the GL layer lights the quad's vertices: its normal in single precision, taken to
  // eye space by the camera's normal matrix, against the light set at start-up.
  const float n[3] = {static_cast<float>(c.normal.x), static_cast<float>(c.normal.y),
                      static_cast<float>(c.normal.z)};
  eyeNormal(modelviewOf(camera), n, in.eyeNormal);
  Lighting light;
  for (int i = 0; i < 3; ++i) {
    light.ambient[i] = kLightAmbient[i];
    light.diffuse[i] = kLightDiffuse[i];
  }
  setLightPosition(&light, identityMatrix(), kLightPosition);
  in.normalDotLight = in.eyeNormal[0] * light.direction[0] + in.eyeNormal[1] * light.direction[1] +
                      in.eyeNormal[2] * light.direction[2];
  const float white[3] = {1, 1, 1};
  float lit[3];
  litColour(light, white, in.eyeNormal, lit);
  in.shade = lit[0];
  in.level = colourLevel(lit[0]);

  in.middle[0] = (g.u + g.uNext) / 2;
  in.middle[1] = (g.v + g.vNext) / 2;
  in.own = surfaceNormalAt(point, in.middle[0], in.middle[1]);
  // A normal that divided by the guard, or a place with no own normal, has no angle to show.
  const Facet corner = cornerNormal(c);
  in.diagonal = diagonalNormal(c);
  in.angle = in.own.defined && !corner.degenerate ? angleDegrees(c.normal, in.own.normal) : -1;
  in.diagonalAngle = in.own.defined && !in.diagonal.degenerate
                         ? angleDegrees(in.diagonal.normal, in.own.normal)
                         : -1;
  vertexNormalsOfCell(point, grid, row, column, in.vertex);
  return in;
}
