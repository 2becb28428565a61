// The GLUT 3 calls the viewer makes, on a web page: the window is the page's canvas, its title
// the page's title and heading, the event loop the browser's animation frames, and the keys
// the page's own. Each frame runs what the toolkit runs between two waits: a frame if one was
// asked for, then the idle callback, so the animation advances once per frame drawn.
#include <GL/glut.h>
#include <emscripten.h>
#include <emscripten/html5.h>

#include <cstdio>
#include <cstdlib>

#include "gl_layer.h"
#include "key_character.h"
#include "webgl_frame.h"

namespace {

char font8By13;

struct Toolkit {
  int width = 300, height = 300;
  void (*display)() = nullptr;
  void (*keyboard)(unsigned char, int, int) = nullptr;
  void (*idle)() = nullptr;
  bool redisplay = false;
};

Toolkit& toolkit() {
  static Toolkit t;
  return t;
}

void runFrame() {
  Toolkit& t = toolkit();
  if (t.redisplay && t.display != nullptr) {
    t.redisplay = false;
    t.display();
  }
  if (t.idle != nullptr) t.idle();
}

EM_BOOL onKeyDown(int, const EmscriptenKeyboardEvent* event, void*) {
  Toolkit& t = toolkit();
  // Keys with Control, Alt or Meta are the browser's (reload, close, ...).
  if (t.keyboard == nullptr || event->ctrlKey || event->altKey || event->metaKey) return false;
  const int c = keyCharacter(event->key);
  if (c < 0) return false;
  t.keyboard(static_cast<unsigned char>(c), 0, 0);
  return true;  // taken: space does not scroll the page
}

// The window's title is the page's title and its heading.
// clang-format off
EM_JS(void, setPageTitle, (const char* title), {
  document.title = UTF8ToString(title);
  var heading = document.getElementById("title");
  if (heading) heading.textContent = document.title;
});
// clang-format on

[[noreturn]] void refuse(const char* call, unsigned value) {
  std::fprintf(stderr, "normals: %s(0x%x) is not part of the browser build's toolkit\n", call,
               value);
  std::abort();
}

}  // namespace

extern "C" {

void* const glutBitmap8By13 = &font8By13;

void glutInit(int*, char**) {}

// Called by the page when the program ends (exit(), as Escape does): no frame after that.
EMSCRIPTEN_KEEPALIVE void glutLayerEnd(void) { emscripten_cancel_main_loop(); }

void glutInitDisplayMode(unsigned int mode) {
  if ((mode & ~(GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH)) != 0) refuse("glutInitDisplayMode", mode);
}

void glutInitWindowSize(int width, int height) {
  toolkit().width = width;
  toolkit().height = height;
}

// A page has no window position.
void glutInitWindowPosition(int, int) {}

int glutCreateWindow(const char* title) {
  Toolkit& t = toolkit();
  setPageTitle(title);
  if (!openWebGl(t.width, t.height)) {
    std::fprintf(stderr, "normals: this browser has no WebGL 2\n");
    std::abort();
  }
  openGlLayer(t.width, t.height);
  emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, true, onKeyDown);
  t.redisplay = true;
  return 1;
}

void glutDisplayFunc(void (*callback)(void)) { toolkit().display = callback; }
void glutKeyboardFunc(void (*callback)(unsigned char, int, int)) { toolkit().keyboard = callback; }
void glutIdleFunc(void (*callback)(void)) { toolkit().idle = callback; }
void glutPostRedisplay(void) { toolkit().redisplay = true; }
void glutSwapBuffers(void) { flushGlLayer(); }
void glutMainLoop(void) { emscripten_set_main_loop(runFrame, 0, 1); }

void glutBitmapCharacter(void* font, int character) {
  if (font != glutBitmap8By13) refuse("glutBitmapCharacter: a font", 0);
  drawGlyph(character);
}

}  // extern "C"
