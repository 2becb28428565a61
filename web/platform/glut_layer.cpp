// The GLUT 3 calls the viewer makes, on a web page: the window is the canvas the page hands the
// program (Module.canvas), the event loop the browser's animation frames. The page is the window
// system: it is told the window's title and size (Module.onWindow), tells the layer the canvas's
// size in the device's pixels, and hands it the keys it decides are the viewer's. Each frame
// runs what the toolkit runs between two waits: the keys that came, a frame if one was asked
// for, then the idle callback, so the animation advances once per frame. exit() from a callback
// (Escape) ends the program through the runtime's own exit, which tells the page
// (Module.onExit) and ends the frames.
#include <GL/glut.h>
#include <emscripten.h>
#include <emscripten/html5.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "gl_layer.h"
#include "glut_page.h"
#include "key_character.h"
#include "webgl_device.h"

namespace {

char font8By13;
const char* const kCanvas = "!canvas";

struct Toolkit {
  int width = 300, height = 300;  // the toolkit's default, until the program asks
  void (*display)() = nullptr;
  void (*keyboard)(unsigned char, int, int) = nullptr;
  void (*idle)() = nullptr;
  bool redisplay = false;
  std::vector<unsigned char> keys;  // since the last frame
};

Toolkit& toolkit() {
  static Toolkit t;
  return t;
}

EM_BOOL runFrame(double, void*) {
  Toolkit& t = toolkit();
  std::vector<unsigned char> keys;
  keys.swap(t.keys);
  for (unsigned char key : keys) {
    if (t.keyboard != nullptr) t.keyboard(key, 0, 0);
  }
  if (t.redisplay && t.display != nullptr) {
    t.redisplay = false;
    t.display();
  }
  if (t.idle != nullptr) t.idle();
  return EM_TRUE;
}

// The page, as the window system, learns the window's title and size: the canvas keeps the
// window's shape, and the title is the page's to show.
// clang-format off
EM_JS(void, tellPageOfWindow, (const char* title, int width, int height), {
  if (Module["onWindow"]) Module["onWindow"](UTF8ToString(title), width, height);
});
// clang-format on

// The canvas the page handed the program, as the html5 calls name it.
// clang-format off
EM_JS(void, nameCanvas, (), { specialHTMLTargets["!canvas"] = Module["canvas"]; });
// clang-format on

[[noreturn]] void refuse(const char* call, unsigned value) {
  std::fprintf(stderr, "normals: %s(0x%x) is not part of the browser build's toolkit\n", call,
               value);
  std::abort();
}

}  // namespace

extern "C" {

void* const glutBitmap8By13 = &font8By13;

EMSCRIPTEN_KEEPALIVE void glutLayerResize(int width, int height) {
  Toolkit& t = toolkit();
  if (width <= 0 || height <= 0) return;
  resizeGlLayer(width, height, static_cast<float>(width) / static_cast<float>(t.width));
  resizeWebGl(kCanvas, width, height, glyphPixel());
  t.redisplay = true;
}

// Handled at the next frame, as the toolkit handles keys between frames.
EMSCRIPTEN_KEEPALIVE int glutLayerKey(const char* key) {
  const int c = keyCharacter(key);
  if (c <= 0) return 0;
  toolkit().keys.push_back(static_cast<unsigned char>(c));
  return 1;
}

void glutInit(int*, char**) {}

void glutInitDisplayMode(unsigned int mode) {
  if ((mode & ~(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH)) != 0) refuse("glutInitDisplayMode", mode);
}

void glutInitWindowSize(int width, int height) {
  if (width <= 0 || height <= 0) refuse("glutInitWindowSize: a size", 0);
  toolkit().width = width;
  toolkit().height = height;
}

// A page has no window position.
void glutInitWindowPosition(int, int) {}

int glutCreateWindow(const char* title) {
  Toolkit& t = toolkit();
  nameCanvas();
  if (!openWebGl(kCanvas, t.width, t.height)) {
    std::fprintf(stderr, "normals: this browser has no WebGL 2\n");
    std::abort();
  }
  tellPageOfWindow(title, t.width, t.height);
  openGlLayer(t.width, t.height, drawWebGl);
  t.redisplay = true;
  return 1;
}

void glutDisplayFunc(void (*callback)(void)) { toolkit().display = callback; }
void glutKeyboardFunc(void (*callback)(unsigned char, int, int)) { toolkit().keyboard = callback; }
void glutIdleFunc(void (*callback)(void)) { toolkit().idle = callback; }
void glutPostRedisplay(void) { toolkit().redisplay = true; }
void glutSwapBuffers(void) { flushGlLayer(); }

// Never returns: the frames go on in the browser's own loop once main has given way to it.
void glutMainLoop(void) {
  emscripten_request_animation_frame_loop(runFrame, nullptr);
  emscripten_unwind_to_js_event_loop();
}

void glutBitmapCharacter(void* font, int character) {
  if (font != glutBitmap8By13) refuse("glutBitmapCharacter: a font", 0);
  drawGlyph(character);
}

}  // extern "C"
