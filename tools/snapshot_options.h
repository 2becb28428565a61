// The options of normals-snapshot, and the files they ask for.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "geometry/grid.h"
#include "render/mesh.h"

// The program's name, as its messages begin.
inline constexpr char kSnapshotProgram[] = "normals-snapshot";
// An animation plays ten frames a second.
constexpr int kGifDelayCentiseconds = 10;

struct SnapshotOptions {
  int surface = -1;         // -1: all six
  std::string formula[3];   // X, Y and Z of a surface of one's own, when given
  bool fixedPhase = false;  // the animation on, held at `phase`; otherwise at rest
  float phase = 0.0f;
  bool gif = false;  // one oscillation as an animated GIF instead of still PNGs
  int every = 10;    // idle steps between two kept frames of an animation
  int icon = 0;      // the side of an icon to write instead of the whole frame; 0: none
  bool obj = false;  // the cells as Wavefront OBJ files instead of pictures
  bool stl = false;  // the cells as binary STL files instead of pictures
  std::string out;
  double eye[3] = {0, 0, 0};  // where the pictures are seen from, when `otherEye`
  bool otherEye = false;
  bool fit = false;  // each picture framed to fill with its surface
  int inspect[2] = {-1, -1};  // the row and column of the cell to mark and describe, if any
  NormalLines normals = NormalLines::kFacet;
  FacetNormal facet = FacetNormal::kCorner;  // the red lines' and flat faces' normal
  Shading shading = Shading::kFlat;
  int cells[2] = {0, 0};                                 // along u and v; 0: the viewer's grid
  double uRange[2] = {0, 0}, vRange[2] = {0, 0};         // a surface of one's own's, when given
  std::vector<std::pair<std::string, double>> settings;  // its constants
  bool convergence = false;  // print how close the facet normals come to the surface's own

  // The grid the options ask for: the viewer's own unless cells or ranges are given.
  Grid grid() const;

  // The cells written as a file (OBJ or STL): no display, no picture.
  bool cellsOnly() const { return obj || stl; }
  bool typed() const { return !formula[0].empty() || !formula[1].empty() || !formula[2].empty(); }
};

// What --help prints: the usage lines and every option.
std::string snapshotUsage();
// Reads the command line; a mistake ends the program with one line and status 2.
SnapshotOptions parseSnapshotOptions(int argc, char** argv);

// The files to write, one per surface (kSurfaceCount for the surface of one's own); makes their
// folder if missing and ends the program with one line and status 2 when it cannot be written.
std::vector<std::pair<unsigned, std::string>> snapshotTargets(const SnapshotOptions& options);
