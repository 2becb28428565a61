// The browser build's GL layer refuses, at the call and with a message naming it, every misuse
// it can see: what OpenGL forbids between glBegin and glEnd, and values it does not know.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include "gl_layer.h"

namespace {

void ignore(const RecordedFrame&) {}

TEST(RecorderDeathTest, RefusesMisuseAtTheCall) {
  const struct {
    void (*misuse)();
    const char* message;
  } cases[] = {
      {[] { glEnd(); }, "glEnd without glBegin"},
      {[] {
         glBegin(GL_QUADS);
         glBegin(GL_QUADS);
       },
       "glBegin between glBegin and glEnd"},
      {[] {
         glBegin(GL_LINES);
         glLoadIdentity();
       },
       "glLoadIdentity between glBegin and glEnd"},
      {[] {
         glBegin(GL_LINES);
         glEnable(GL_LIGHTING);
       },
       "glEnable between glBegin and glEnd"},
      {[] {
         glBegin(GL_LINES);
         glLineWidth(3);
       },
       "glLineWidth between glBegin and glEnd"},
      {[] {
         glBegin(GL_QUADS);
         drawGlyph('a');
       },
       "glutBitmapCharacter between glBegin"},
      {[] {
         glBegin(GL_QUADS);
         flushGlLayer();
       },
       "frame ended between glBegin and glEnd"},
      {[] { glBegin(0x0009); }, "glBegin\\(0x0009\\)"},
      {[] { glEnable(0x0DE1); }, "glEnable\\(0x0de1\\)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.message);
    EXPECT_DEATH(
        {
          openGlLayer(400, 400, ignore);
          c.misuse();
        },
        c.message);
  }
}

}  // namespace
