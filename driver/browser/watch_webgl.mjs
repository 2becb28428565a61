// What the browser tests see of a page through WebGL itself, installed before the page's own
// scripts run (driver/browser/browsers.mjs). The page knows nothing of it.

// Runs in the page: counts the frames its canvas's WebGL 2 context draws (one clear each) and
// reads back, with WebGL's own readPixels, the pixels of the frames a test asks for, in the
// animation frame that drew them, before the browser shows them and clears the drawing buffer.
// The first frame of each size is kept as it comes. `normalsTest.read()` reads the drawing
// buffer at once, for a page that draws when the test asks. Downloads the page offers are kept
// for the test to read (`normalsTest.downloads()`: each its name, its text and its bytes in
// base64), not saved.
export function watchWebGl() {
  let context = null, frames = 0;
  const kept = new Map(), waiting = [];
  const getContext = HTMLCanvasElement.prototype.getContext;
  HTMLCanvasElement.prototype.getContext = function (type, ...rest) {
    const made = getContext.call(this, type, ...rest);
    if (type === "webgl2" && this.id === "canvas" && made) context = made;
    return made;
  };
  const clear = WebGL2RenderingContext.prototype.clear;
  WebGL2RenderingContext.prototype.clear = function (...args) {
    if (this === context) frames++;
    return clear.apply(this, args);
  };
  const read = () => {
    const gl = context, w = gl.drawingBufferWidth, h = gl.drawingBufferHeight;
    const rgba = new Uint8Array(w * h * 4);
    gl.readPixels(0, 0, w, h, gl.RGBA, gl.UNSIGNED_BYTE, rgba);
    let text = "";
    for (let y = h - 1; y >= 0; y--) {
      for (let x = 0; x < w; x++) {
        const i = 4 * (y * w + x);
        text += String.fromCharCode(rgba[i], rgba[i + 1], rgba[i + 2]);
      }
    }
    return { width: w, height: h, base64: btoa(text) };
  };
  const animationFrame = window.requestAnimationFrame.bind(window);
  window.requestAnimationFrame = (callback) => animationFrame((time) => {
    const before = frames;
    callback(time);
    if (frames === before || context === null) return;
    const width = context.drawingBufferWidth;
    const wanted = waiting.filter((w) => w.width === null || w.width === width);
    if (wanted.length === 0 && kept.has(width)) return;
    const frame = read();
    if (!kept.has(width)) kept.set(width, frame);
    for (const w of wanted) {
      waiting.splice(waiting.indexOf(w), 1);
      w.resolve(frame);
    }
  });
  // Downloads the page offers (a link to a blob, clicked), kept instead of saved.
  const blobs = new Map(), downloads = [];
  const createObjectURL = URL.createObjectURL;
  URL.createObjectURL = (blob) => {
    const url = createObjectURL.call(URL, blob);
    blobs.set(url, blob);
    return url;
  };
  const click = HTMLAnchorElement.prototype.click;
  HTMLAnchorElement.prototype.click = function () {
    if (!this.download || !blobs.has(this.href)) return click.call(this);
    const blob = blobs.get(this.href), name = this.download;
    downloads.push(blob.arrayBuffer().then((buffer) => {
      const bytes = new Uint8Array(buffer);
      let binary = "";
      for (const byte of bytes) binary += String.fromCharCode(byte);
      return { name, text: new TextDecoder().decode(bytes), base64: btoa(binary) };
    }));
  };
  const next = (width) => new Promise((resolve) => waiting.push({ width, resolve }));
  window.normalsTest = {
    frames: () => frames,
    read,
    first: (width) => kept.get(width) ?? next(width),
    next: () => next(null),
    downloads: () => Promise.all(downloads),
  };
}
