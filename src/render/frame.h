// One whole frame: camera, axes, mesh and caption.
#pragma once

#include "app/viewer_state.h"
#include "geometry/cell.h"
#include "render/marker.h"
#include "render/mesh.h"

// The formula shown for each surface; entry i belongs to surface i.
extern const char* const kCaptions[kSurfaceCount];

// The viewer's camera: it stands at kEye, looks at kCentre, and kUp is up the screen.
inline constexpr double kEye[3] = {10, 10, 10};
inline constexpr double kCentre[3] = {0, 0, 0};
inline constexpr double kUp[3] = {0, 1, 0};

// Where a frame is seen from: gluLookAt's eye, centre and up.
struct Camera {
  double eye[3], centre[3], up[3];
};
inline constexpr Camera kViewerCamera = {
    {kEye[0], kEye[1], kEye[2]}, {kCentre[0], kCentre[1], kCentre[2]}, {kUp[0], kUp[1], kUp[2]}};

// Loads a camera onto the modelview matrix: the viewer's own unless another is given.
void loadCamera(const Camera& camera = kViewerCamera);
void drawAxes();
// Where the caption starts: a place in the scene, which the camera moves like any vertex.
inline constexpr double kCaptionPosition[4] = {-12.0, 3.0, 0.0, 1.0};
// The current surface's caption.
void drawCaption();
// A caption of one's own, drawn as the built-in ones are.
void drawCaption(const char* text);

// What a frame shows, where it differs from the viewer's own frame: another camera, a surface
// of one's own with its caption, other normal lines, a cell marked.
struct Scene {
  Camera camera = kViewerCamera;
  const PointFunction* surface = nullptr;  // null: the viewer's current surface
  const char* caption = nullptr;           // with `surface`
  NormalLines normals = NormalLines::kFacet;
  FacetNormal facet = FacetNormal::kCorner;
  Shading shading = Shading::kFlat;
  const Grid* grid = nullptr;      // null: the viewer's own
  const Marker* marked = nullptr;  // drawn after the cells, before the caption
};
// Everything of a frame of `scene` but the buffer swap; how many cells were left out, their
// corners not all finite.
int drawFrame(const Scene& scene);
// Everything of the viewer's own frame but the buffer swap, so tools and tests can read the
// back buffer.
void drawFrame();
// Display handler: drawFrame, then swap.
void onDisplay();
