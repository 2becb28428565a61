// What the page's scene holds, shared by the files that show it (page_scene.cpp: the frame,
// the keys, the surface of one's own) and that set how it is seen (page_settings.cpp: the view,
// the look, the grid, the cell looked into, the constants).
#pragma once

#include <memory>

#include "formula/formula_surface.h"
#include "page_scene.h"

struct PageScene {
  std::unique_ptr<FormulaSurface> typed;
  bool typedShown = false;
  Shown shown;
  View view;
  int inspected = -1;
  MeshLook look;
  // The grid asked for: its cells, and the ranges a surface of one's own takes.
  int cells[2] = {kGridSize, kGridSize};
  bool ranged = false;
  double ranges[4] = {};
  // Whether the canvas may show another frame than the next one would draw. At rest the frames
  // are all alike until something changes, and a frame that would be the same is not drawn.
  bool stale = true;
};

PageScene& scene();

// The grid of a frame of the surface of one's own (`typed`) or a built-in one.
Grid gridFor(bool typed);
// The surface a frame at `state` shows: the one of one's own (`typed`) or a built-in one.
PointFunction pointsOf(const ViewerState& state, bool typed);
// Asks for a frame that will be drawn, even at rest.
void redraw();
// Redraws, and tells the page that what is shown has changed.
void changed();
