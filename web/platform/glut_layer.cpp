// The GLUT 3 calls the viewer makes, on a web page: the window is the page's canvas, its title
// the page's title and heading, the event loop the browser's animation frames, and the keys
// the page's own (its controls' among them). The page is the window system: it tells the layer
// the canvas's size in the device's pixels. Each frame runs what the toolkit runs between two
// waits: the keys that came, a frame if one was asked for, then the idle callback, so the
// animation advances once per frame. exit() from a callback (Escape) ends the program through
// the runtime's own exit, which tells the page (Module.onExit) and ends the frames.
#include <GL/glut.h>
#include <emscripten.h>
#include <emscripten/html5.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "gl_layer.h"
#include "key_character.h"
#include "webgl_device.h"

namespace {

char font8By13;
const char* const kCanvas = "#canvas";

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

EM_BOOL onKeyDown(int, const EmscriptenKeyboardEvent* event, void*) {
  Toolkit& t = toolkit();
  // Keys with Control, Alt or Meta are the browser's (reload, close, ...).
  if (t.keyboard == nullptr || event->ctrlKey || event->altKey || event->metaKey) return false;
  const int c = keyCharacter(event->key);
  if (c < 0) return false;
  t.keys.push_back(static_cast<unsigned char>(c));
  return true;  // taken: space does not scroll the page
}

// The canvas takes the page's width up to the window's, in CSS pixels, and keeps its shape.
// clang-format off
EM_JS(void, setCanvasShape, (const char* selector, int width, int height), {
  var canvas = document.querySelector(UTF8ToString(selector));
  canvas.style.maxWidth = width + "px";
  canvas.style.aspectRatio = width + " / " + height;
});
// clang-format on

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

// The page, as the window system: the canvas's drawing buffer is now `width` x `height` of the
// device's pixels. The viewer draws the same scene into it, as sharp as the screen allows.
EMSCRIPTEN_KEEPALIVE void glutLayerResize(int width, int height) {
  Toolkit& t = toolkit();
  if (width <= 0 || height <= 0) return;
  resizeGlLayer(width, height, static_cast<float>(width) / static_cast<float>(t.width));
  resizeWebGl(kCanvas, width, height, glyphPixel());
  t.redisplay = true;
}

// The page's own controls press keys of the keyboard: the viewer has one way in.
EMSCRIPTEN_KEEPALIVE void glutLayerKey(int character) {
  if (character > 0 && character < 256)
    toolkit().keys.push_back(static_cast<unsigned char>(character));
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
  setPageTitle(title);
  if (!openWebGl(kCanvas, t.width, t.height)) {
    std::fprintf(stderr, "normals: this browser has no WebGL 2\n");
    std::abort();
  }
  setCanvasShape(kCanvas, t.width, t.height);
  openGlLayer(t.width, t.height, drawWebGl);
  emscripten_set_keydown_callback(EMSCRIPTEN_EVENT_TARGET_WINDOW, nullptr, true, onKeyDown);
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
