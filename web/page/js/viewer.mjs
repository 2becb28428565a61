// The one way into the viewer's WebAssembly (the program emscripten made, `createNormals`):
// starts it on a canvas, and offers its typed calls and its events: "change" when what is
// shown may have changed, "ended" when the program exits (Escape), "stopped" when it aborts.

export async function startViewer(canvas) {
  const events = new EventTarget();
  const say = (type, detail) => events.dispatchEvent(new CustomEvent(type, { detail }));
  let shape = { title: "", width: 0, height: 0 };
  const program = await createNormals({
    canvas,
    print: (text) => console.log(text),
    printErr: (text) => console.error(text),
    onAbort: (what) => say("stopped", String(what)),
    onExit: (status) => say("ended", status),
    onWindow: (title, width, height) => { shape = { title, width, height }; },
    onViewerChange: () => say("change"),
  });
  const key = program.cwrap("glutLayerKey", "number", ["string"]);
  const caption = program.cwrap("normalsCaption", "string", ["number"]);
  const cellsAsObj = program.cwrap("normalsCellsAsObj", "string", []);
  return {
    events,
    // The window the program asked for: its title, and its size in CSS pixels.
    window: () => shape,
    surfaceCount: () => program._normalsSurfaceCount(),
    state: () => {
      const surface = program._normalsSurfaceIndex();
      return { surface, moving: program._normalsAnimate() === 1, caption: caption(surface) };
    },
    // Shows a surface, moving or at rest, as a link asks; false for a surface there is not.
    show: (surface, moving) => program._normalsShow(surface, moving ? 1 : 0) === 1,
    // Hands the viewer a key (a KeyboardEvent's key); false for one without a character.
    key: (name) => key(name) === 1,
    // The cells of the frame on the canvas, as an OBJ file: its text, and a name for it.
    cellsAsObj: () => ({ text: cellsAsObj(), name: `surface-${program._normalsSurfaceIndex()}.obj` }),
    // The canvas's drawing buffer is now `width` x `height` of the device's pixels.
    resize: (width, height) => program._glutLayerResize(width, height),
  };
}
