// Looking into a cell: the numbers are the cell arithmetic's, bit for bit, and the lighting's
// as the GL layer lights the quad; the cell picked under a pixel of Mesa's own frame is the one
// whose face that pixel shows, its shade the pixel's; and the view turns within its bounds,
// the viewer's own camera exactly where it is not turned.
#include "explorer/inspect.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "app/viewer_state.h"
#include "capture.h"
#include "cell_parts.h"
#include "geometry/surface.h"
#include "gl_harness.h"
#include "golden.h"
#include "explorer/view.h"

namespace {

PointFunction builtIn(unsigned surface) {
  return [surface](double u, double v) { return surfacePoint(surface, u, v); };
}

bool sameBits(const Vector3& a, const Vector3& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

TEST(Inspect, TheNumbersAreTheCellArithmetics) {
  for (unsigned surface = 0; surface < kSurfaceCount; ++surface) {
    for (const bool animate : {false, true}) {
      viewerState.animate = animate;
      viewerState.phase = 0.3f;
      for (const int cell : {0, 20, 220, 230, 420, 440}) {
        SCOPED_TRACE(testing::Message() << "surface " << surface << " cell " << cell);
        const int row = cell / kGridSize, column = cell % kGridSize;
        const Inspection in = inspect(builtIn(surface), row, column, kViewerCamera);
        const GridCell g = Grid{}.cell(row, column);
        const Cell c = cellAt(surface, g.u, g.uNext, g.v, g.vNext);
        EXPECT_TRUE(sameBits(in.cell.p00, c.p00) && sameBits(in.cell.p01, c.p01) &&
                    sameBits(in.cell.p11, c.p11) && sameBits(in.cell.p10, c.p10) &&
                    sameBits(in.cell.normal, c.normal) && sameBits(in.cell.centre, c.centre) &&
                    sameBits(in.cell.lineEnd, c.lineEnd));
        EXPECT_TRUE(sameBits(in.e1, c.p01 - c.p00) && sameBits(in.e2, c.p11 - c.p00));
        EXPECT_EQ(in.shade, 0.5f + 0.5f * std::fmax(0.0f, in.normalDotLight));
      }
    }
  }
  // The flat sheet at rest: every normal straight down, and every face the same grey.
  viewerState.animate = false;
  for (int cell = 0; cell < 441; ++cell) {
    const Inspection in = inspect(builtIn(0), cell / kGridSize, cell % kGridSize, kViewerCamera);
    ASSERT_TRUE(in.cell.normal.x == 0 && in.cell.normal.y == -1 && in.cell.normal.z == 0);
    ASSERT_EQ(in.level, 201) << "0.5 + 0.5 / sqrt(3), in eight bits";
    ASSERT_FALSE(in.guarded);
  }
  // A cell whose corners meet: the guard's case, said.
  const Vector3 p{1, 0, 1};
  const PointFunction collapsed = [&p](double, double) { return p; };
  const Inspection in = inspect(collapsed, 3, 4, kViewerCamera);
  EXPECT_TRUE(in.guarded);
  EXPECT_TRUE(in.cell.normal.x == 0 && in.cell.normal.y == 0 && in.cell.normal.z == 0);
  EXPECT_EQ(in.level, 128);
  EXPECT_NE(asJson(in).find("\"guarded\":true,"), std::string::npos);
}

// Only the cells' lit faces, as the frame draws them, seen with `camera`.
Image facesOnly(unsigned surface, const Camera& camera) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  loadCamera(camera);
  sweepGrid([surface](double u, double uNext, double v, double vNext) {
    drawCellFace(cellAt(surface, u, uNext, v, vNext));
  });
  return readBackBuffer();
}

TEST(Inspect, ThePickedCellIsTheOneWhosFaceThePixelShows) {
  openViewer();
  viewerState.animate = false;
  View turnedView = turned(View{}, 70, -20);
  for (const Camera& camera : {kViewerCamera, cameraOf(turnedView)}) {
    for (unsigned surface = 0; surface < kSurfaceCount; ++surface) {
      SCOPED_TRACE(testing::Message() << "surface " << surface << " eye " << camera.eye[0]);
      const Image frame = facesOnly(surface, camera);
      const Rgb background = frame.at(0, 0);
      int faces = 0, agree = 0, misses = 0;
      for (int y = 3; y < frame.height; y += 9) {
        for (int x = 3; x < frame.width; x += 9) {
          const Rgb seen = frame.at(x, y);
          const int cell =
              pick(builtIn(surface), camera, x + 0.5, y + 0.5, frame.width, frame.height);
          if (near(seen, background, 0)) {
            misses += cell >= 0;
            continue;
          }
          ++faces;
          if (cell < 0) continue;
          const Inspection in =
              inspect(builtIn(surface), cell / kGridSize, cell % kGridSize, camera);
          agree += std::abs(seen.r - in.level) <= 1;
        }
      }
      // Only a pixel on the edge between two cells may be given to the other.
      EXPECT_GT(faces, 100);
      EXPECT_GE(agree, faces * 98 / 100) << agree << " of " << faces;
      EXPECT_LE(misses, 3);
    }
  }
}

}  // namespace
