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
  unsigned surface = 0;             // one of the six, unless `typed` is given
  FormulaSurface* typed = nullptr;  // a surface of one's own
  bool animate = false;             // the animation on, held at `phase`, or at rest
  float phase = 0.0f;
  Camera camera = kViewerCamera;
  bool fit = false;  // the camera moved along its line of sight until the surface fills the frame
  NormalLines normals = NormalLines::kFacet;
  FacetNormal facet = FacetNormal::kCorner;
  Shading shading = Shading::kFlat;
  int inspect[2] = {-1, -1};  // the cell marked, row and column; none when negative
  Grid grid;                  // the viewer's own unless another is given
};

// The frame of `subject` at its state; the most cells any frame left out (corners not
// finite) in `leftOut`.
Image stillFrame(const Subject& subject, int* leftOut);
// One oscillation of the animation, as the running viewer shows it: the idle handler advances
// the clock from the start, and every `every` calls a frame is kept, noted with its phase
// (the subject's own state is not used).
Animation oscillation(const Subject& subject, int every, int* leftOut);
// The numbers of the cell `subject` marks, at its state, as JSON.
std::string inspectionText(const Subject& subject);
// How close the facet normals come to the surface's own at the subject's state, as lines.
std::string convergenceText(const Subject& subject);
// The cells at the subject's state as an OBJ file's text; how many are left out in `leftOut`.
std::string cellsText(const Subject& subject, int* leftOut);
// The same cells as a binary STL file's bytes; what it leaves out, and why, in `counts`.
std::string cellsStl(const Subject& subject, StlCounts* counts);
