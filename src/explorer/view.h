// The view a reader turns: the camera's eye on a sphere about the origin, looking at it with Y
// up, given by its longitude, latitude and distance; or the viewer's own camera, exactly.
// Portable C++: the page uses it, and the tests natively.
#pragma once

#include "geometry/surface.h"
#include "render/frame.h"

struct View {
  bool ownCamera = true;  // the viewer's own camera, kViewerCamera, exactly
  // Degrees about the Y axis from +Z toward +X; degrees above the XZ plane; units from the
  // origin.
  double longitude = 0, latitude = 0, distance = 0;
};

// Short of the poles, where Y up would be the line of sight; near enough to see a cell, far
// enough to see them all.
constexpr double kLatitudeLimit = 80;
// One degree, in radians.
constexpr double kDegree = kFullPi / 180;
constexpr double kNearest = 6, kFurthest = 60;

// The camera of `view`.
Camera cameraOf(const View& view);
// The viewer's own camera as a longitude, latitude and distance.
View viewerAngles();
// `view` turned by these degrees (latitude kept short of the poles), or moved nearer or
// further by `factor` (kept between kNearest and kFurthest); no longer the viewer's own. Every
// view but the viewer's own is kept to hundredths of a degree and of a unit.
View turned(const View& view, double longitude, double latitude);
View zoomed(const View& view, double factor);
// `view` as a link gives it: bounded as turning bounds it; false for numbers that are not finite.
bool fromLink(double longitude, double latitude, double distance, View* view);

// Whether the caption's raster position falls within a window `width` x `height` seen with
// `camera`: where it does not, the frame draws no caption.
bool captionInView(const Camera& camera, int width, int height);
