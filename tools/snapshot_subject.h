// What normals-snapshot draws and writes: one of the six surfaces, or a surface of one's own,
// seen from a camera, as a still frame, one oscillation of the animation, or its cells as OBJ
// text. The viewer's own frame code draws each (its start-up must have run for the pictures).
#pragma once

#include <string>

#include "gif_file.h"
#include "image.h"
#include "render/frame.h"

class FormulaSurface;
struct StlCounts;

struct Subject {
  unsigned surface = 0;                 // one of the six, unless `own` is given
  FormulaSurface* own = nullptr;  // a surface of one's own
  Camera camera = kViewerCamera;
  bool fit = false;  // the camera moved along its line of sight until the surface fills the frame
  NormalLines normals = NormalLines::kFacet;
  FacetNormal facet = FacetNormal::kCorner;
  Shading shading = Shading::kFlat;
  int inspect[2] = {-1, -1};  // the cell marked, row and column; none when negative
  Grid grid;                  // the viewer's own unless another is given
};

// The frame of `subject` with the animation on at `phase`, or at rest; the most cells any
// frame left out (corners not finite) in `leftOut`.
Image stillFrame(const Subject& subject, bool animate, float phase, int* leftOut);
// One oscillation of the animation, as the running viewer shows it: the idle handler advances
// the clock from the start, and every `every` calls a frame is kept, noted with its phase.
Animation oscillation(const Subject& subject, int every, int* leftOut);
// The numbers of the cell `subject` marks, in the frame at `phase` (or at rest), as JSON.
std::string inspectionText(const Subject& subject, bool animate, float phase);
// How close the facet normals of the frame at `phase` (or at rest) come to the surface's own,
// as one line.
std::string convergenceText(const Subject& subject, bool animate, float phase);
// The cells of the frame at `phase` (or at rest) as an OBJ file's text; how many are left out
// in `leftOut`.
std::string cellsText(const Subject& subject, bool animate, float phase, int* leftOut);
// The same cells as a binary STL file's bytes; what it leaves out, and why, in `counts`.
std::string cellsStl(const Subject& subject, bool animate, float phase, StlCounts* counts);
