// The view a reader turns: the camera's eye on a sphere about the origin, looking at it with Y
// up, given by its longitude, latitude and distance; or the viewer's own camera, exactly.
// Portable C++: the page uses it, and the tests natively.
#pragma once

#include "geometry/grid.h"
#include "geometry/surface.h"
#include "pipeline/fixed_function.h"
#include "render/frame.h"

struct View {
  bool viewers = true;  // the viewer's own camera, kViewerCamera, exactly
  // Degrees about the Y axis from +Z toward +X; degrees above the XZ plane; units from the
  // point looked at, `centre` (the origin unless the view was fitted to a surface).
  double longitude = 0, latitude = 0, distance = 0;
  double centre[3] = {0, 0, 0};
};

// A sphere about every drawable grid point of a surface: the middle of their box and its half
// diagonal; radius 0 when no cell is drawable.
struct Bounds {
  Vector3 centre;
  double radius = 0;
};
Bounds boundsOf(const PointFunction& point, const Grid& grid);

// Short of the poles, where Y up would be the line of sight; near enough to see a cell, far
// enough to see them all.
constexpr double kLatitudeLimit = 80;
// One degree, in radians.
constexpr double kDegree = kFullPi / 180;
constexpr double kNearest = 6, kFurthest = 60;

// How near and how far the eye may come: kNearest to kFurthest, widened for a surface whose
// fitted view lies outside them (half and ten times that view's distance).
struct Reach {
  double nearest = kNearest, furthest = kFurthest;
};
Reach reachOf(const Bounds& bounds);

// The distance from which a sphere of `radius` just fills the picture (its aspect is 1).
double fitDistance(double radius);
// `camera` moved along its line of sight so that `bounds` fills the picture: the eye keeps its
// direction from the point looked at, which becomes the sphere's centre. Unchanged for bounds
// of radius 0.
Camera fitted(const Camera& camera, const Bounds& bounds);
// The same for a view, kept to hundredths of a degree and four figures of its distance and
// centre, as every view is.
View fitted(const View& view, const Bounds& bounds);

// The modelview matrix of `camera`, as gluLookAt loads it onto the identity.
Matrix modelviewOf(const Camera& camera);

// The camera of `view`.
Camera cameraOf(const View& view);
// The viewer's own camera as a longitude, latitude and distance.
View viewerAngles();
// `view` turned by these degrees (latitude kept short of the poles), or moved nearer or
// further by `factor` (kept within `reach`); no longer the viewer's own. Every view but the
// viewer's own is kept to hundredths of a degree and four figures of its distance.
View turned(const View& view, double longitude, double latitude);
View zoomed(const View& view, double factor, const Reach& reach = Reach{});
// `view` as a link gives it (`centre` null for the origin): bounded as turning and `reach`
// bound it; false for numbers that are not finite.
bool fromLink(double longitude, double latitude, double distance, const double* centre,
              const Reach& reach, View* view);

// Whether the caption's raster position falls within a window `width` x `height` seen with
// `camera`: where it does not, the frame draws no caption.
bool captionInView(const Camera& camera, int width, int height);
