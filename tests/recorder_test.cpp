// The browser build's GL layer without a browser: the calls the viewer makes, fed to the
// recorder, and what it would hand to WebGL. Quads split as the library splits them, loops
// closed, runs that last exactly while the state does, and the caption's pixels where the
// raster position puts them (its refusals: recorder_refusals_test.cpp).
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "gl_layer.h"
#include "glyphs_8x13.h"

namespace {

std::vector<RecordedFrame> handed;
void keep(const RecordedFrame& frame) { handed.push_back(frame); }

// A new 400 x 400 layer, its matrices the identity, so that (x, y) in [-1, 1] lies at window
// (200 + 200 x, 200 + 200 y).
void openLayer() {
  handed.clear();
  openGlLayer(400, 400, keep);
}

const RecordedFrame& flushed() {
  flushGlLayer();
  EXPECT_EQ(handed.size(), 1u);
  return handed.back();
}

void quad(float z) {
  glBegin(GL_QUADS);
  glVertex3f(-0.5f, -0.5f, z);
  glVertex3f(0.5f, -0.5f, z);
  glVertex3f(0.5f, 0.5f, z);
  glVertex3f(-0.5f, 0.5f, z);
  glEnd();
}

TEST(Recorder, QuadsSplitAcrossTheirFirstCorner) {
  openLayer();
  glColor3f(0.25f, 0.5f, 1);
  quad(0);
  const RecordedFrame& f = flushed();
  ASSERT_EQ(f.vertices.size(), 4u);
  EXPECT_EQ(f.indices, (std::vector<std::uint32_t>{0, 1, 2, 0, 2, 3}));
  EXPECT_EQ(f.vertices[2].position[0], 0.5f);
  EXPECT_EQ(f.vertices[2].position[1], 0.5f);
  EXPECT_EQ(f.vertices[0].colour[1], 128);  // unlit: the colour as given, in eight bits
  EXPECT_EQ(f.vertices[0].colour[3], 0) << "in object coordinates";
}

// Each segment of a loop becomes a rectangle 2 pixels wide along it, its ends within a pixel
// of the segment's ends (moved only along it, as Mesa's end rule moves them).
TEST(Recorder, LoopsAreClosed) {
  openLayer();
  glLineWidth(2);
  const float corners[4][2] = {{-0.5f, -0.5f}, {0.5f, -0.5f}, {0.5f, 0.5f}, {-0.5f, 0.5f}};
  glBegin(GL_LINE_LOOP);
  for (const auto& c : corners) glVertex3f(c[0], c[1], 0);
  glEnd();
  const RecordedFrame& f = flushed();
  ASSERT_EQ(f.vertices.size(), 16u) << "four segments, four corners each";
  ASSERT_EQ(f.indices.size(), 24u);
  for (int s = 0; s < 4; ++s) {
    SCOPED_TRACE(testing::Message() << "segment " << s);
    const float* from = corners[s];
    const float* to = corners[(s + 1) % 4];
    for (int end = 0; end < 2; ++end) {
      const DrawVertex& a = f.vertices[4 * s + 2 * end];
      const DrawVertex& b = f.vertices[4 * s + 2 * end + 1];
      const float* p = end == 0 ? from : to;
      const float x = 0.5f * (a.position[0] + b.position[0]);
      const float y = 0.5f * (a.position[1] + b.position[1]);
      EXPECT_LE(std::fabs(x - (200 + 200 * p[0])), 1.0f);
      EXPECT_LE(std::fabs(y - (200 + 200 * p[1])), 1.0f);
      EXPECT_EQ(std::hypot(a.position[0] - b.position[0], a.position[1] - b.position[1]), 2.0f);
      EXPECT_EQ(a.colour[3], 255) << "in window coordinates";
      EXPECT_EQ(a.position[2], static_cast<float>(s)) << "each segment its own depth plane";
    }
  }
}

// Quads and lines share a run while nothing but the colour and normal changes; any state call
// starts another, and a clear is a command of its own, in its place.
TEST(Recorder, RunsLastWhileTheStateDoes) {
  openLayer();
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  quad(0);
  glColor3f(1, 0, 0);
  glNormal3f(0, 1, 0);
  glBegin(GL_LINES);
  glVertex3f(-0.5f, 0, 0);
  glVertex3f(0.5f, 0, 0);
  glEnd();
  quad(0.5f);
  glLoadIdentity();
  quad(0);
  const RecordedFrame& f = flushed();
  ASSERT_EQ(f.runs.size(), 3u);
  EXPECT_EQ(f.runs[0].command, Command::kClear);
  EXPECT_TRUE(f.runs[0].clearColour && f.runs[0].clearDepth);
  EXPECT_EQ(f.runs[1].command, Command::kTriangles);
  EXPECT_EQ(f.runs[1].first, 0);
  EXPECT_EQ(f.runs[1].count, 18);
  EXPECT_EQ(f.runs[2].first, 18);
  EXPECT_EQ(f.runs[2].count, 6);
  EXPECT_NE(f.runs[1].state, f.runs[2].state);
  EXPECT_EQ(f.states.size(), 2u);
}

// The raster position at the centre of the window, half-way in depth: each set pixel of a
// glyph is a point there, in the raster colour, at its glyph's depth plane, and each glyph (a
// blank one too) moves the next on by a glyph's advance.
TEST(Recorder, GlyphsAtTheRasterPosition) {
  openLayer();
  glColor3f(1, 1, 0);
  const GLdouble centre[4] = {0, 0, 0, 1};
  glRasterPos4dv(centre);
  drawGlyph('L');
  drawGlyph(' ');
  drawGlyph('L');
  const RecordedFrame& f = flushed();
  EXPECT_EQ(f.depthPlanes.size(), 2u) << "a depth plane for each glyph that shows";
  int set = 0;
  for (unsigned char row : kGlyphRows[static_cast<unsigned char>('L')]) {
    for (; row != 0; row &= static_cast<unsigned char>(row - 1)) ++set;
  }
  ASSERT_GT(set, 0);
  ASSERT_EQ(f.vertices.size(), 2u * set);
  ASSERT_EQ(f.runs.size(), 1u);
  EXPECT_EQ(f.runs[0].command, Command::kPoints);
  EXPECT_EQ(f.runs[0].count, 2 * set);
  for (int i = 0; i < set; ++i) {
    const DrawVertex& first = f.vertices[i];
    const DrawVertex& second = f.vertices[set + i];
    EXPECT_GE(first.position[0], 200 + kGlyphLeft);
    EXPECT_LT(first.position[0], 200 + kGlyphLeft + kGlyphWidth);
    EXPECT_GE(first.position[1], 200 + kGlyphBottom);
    EXPECT_LT(first.position[1], 200 + kGlyphBottom + kGlyphHeight);
    EXPECT_EQ(second.position[0], first.position[0] + 2 * kGlyphAdvance);
    EXPECT_EQ(f.depthPlanes.at(static_cast<std::size_t>(first.position[2])).depth[0], 0.5f);
    EXPECT_EQ(first.colour[2], 0);
  }
}

void line(float z) {
  glBegin(GL_LINES);
  glVertex3f(-0.5f, 0, z);
  glVertex3f(0.5f, 0, z);
  glEnd();
}

// The same calls make the same frame, which WebGL is not sent again; any change makes another,
// a line's depth alone too (its rectangle's corners stay where they were).
TEST(Recorder, TheSameCallsMakeTheSameFrame) {
  for (void (*draw)(float) : {quad, line}) {
    openLayer();
    for (float z : {0.0f, 0.0f, 0.25f}) {
      glClear(GL_COLOR_BUFFER_BIT);
      draw(z);
      flushGlLayer();
    }
    ASSERT_EQ(handed.size(), 3u);
    EXPECT_TRUE(sameFrame(handed[0], handed[1]));
    EXPECT_FALSE(sameFrame(handed[1], handed[2]));
  }
}

}  // namespace
