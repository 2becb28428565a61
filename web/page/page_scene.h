// What the page shows beyond the viewer's six surfaces: a surface of one's own, typed as three
// formulas, which takes the seventh place in the cycle of surfaces while it is shown; and what
// the frame on the canvas shows, for the page to name it and offer its cells.
#pragma once

#include <string>

#include "app/viewer_state.h"
#include "geometry/cell.h"
#include "geometry/grid.h"
#include "explorer/view.h"
#include "render/mesh.h"

struct FormulaError;
class FormulaSurface;

// The page's display handler: the viewer's own frame, or the surface of one's own drawn as
// the viewer draws its surfaces, then the swap.
void showPageFrame();
// The page's keyboard handler: the viewer's, but that an ordinary key on the last surface
// shows the surface of one's own, when there is one, and the next goes back to the first.
void onPageKey(unsigned char key, int x, int y);

// Parses and shows a surface of one's own, moving or at rest; on a refusal keeps what is shown
// and says why.
bool showTypedSurface(const std::string& x, const std::string& y, const std::string& z,
                    bool animate, FormulaError* error);
// Forgets the surface of one's own and shows the first surface.
void clearTypedSurface();

// What the frame on the canvas shows.
struct Shown {
  ViewerState state;  // as the frame was drawn (the clock moves on after it)
  bool typed = false;   // the surface of one's own, rather than state.surfaceIndex
  int leftOut = 0;    // cells not drawn, their corners not all finite
};
const Shown& shownFrame();
// Whether the next frame will show the surface of one's own, and its caption.
bool typedShownNext();
std::string typedCaption();

// The view the frames are seen with, and the cell looked into (row * the grid's columns +
// column, or -1): each change asks for a frame, and only then.
const View& pageView();
void setPageView(const View& view);
int inspectedCell();
void setInspectedCell(int cell);
// How the cells look in the frames: their normal lines, the facet normal they take and how
// they are shaded.
const MeshLook& pageLook();
void setPageLook(const MeshLook& look);

// The grid of the next frame: the viewer's own unless other cells are asked for, over the
// ranges asked for while the surface of one's own is shown.
Grid pageGrid();
// Asks for `cellsU` x `cellsV` cells (1 to kMostCells each), and with `ranged` for u from
// ranges[0] to ranges[1] and v from ranges[2] to ranges[3] on the surface of one's own; ""
// when taken, or else why not (naming the field and what it takes), changing nothing.
std::string setPageGrid(int cellsU, int cellsV, bool ranged, const double ranges[4]);
bool pageGridRanged();
const double* pageGridRanges();

// The surface of one's own, or null; a constant of its set, redrawn (false, changing nothing,
// for a name it does not have or a value that is not finite).
FormulaSurface* typedSurface();
bool setTypedConstant(const std::string& name, double value);

// The frame on the canvas (the clock has moved on since): its surface at its state, its grid
// and its camera.
struct ShownSurface {
  PointFunction point;
  Grid grid;
  Camera camera;
};
ShownSurface shownSurface();
// The same for the next frame, at the state now.
ShownSurface nextSurface();
