// The one way into the viewer's WebAssembly (the program emscripten made, `createNormals`,
// whose WebAssembly the page holds gzip-compressed in base64, `kProgramWasm`): starts it on a
// canvas, and offers its typed calls and its events: "change" when what is shown may have
// changed, "ended" when the program exits (Escape), "stopped" when it aborts.

// The program's WebAssembly, unpacked with the browser's own gzip.
async function unpackedProgram() {
  const packed = Uint8Array.from(atob(kProgramWasm), (c) => c.charCodeAt(0));
  const stream = new Blob([packed]).stream().pipeThrough(new DecompressionStream("gzip"));
  return new Response(stream).arrayBuffer();
}

// `text` as the viewer is handed a formula: no further than one character past `limit` (enough
// for the viewer to say it is too long, and no more copied onto its stack); and since a C
// string ends at NUL, a NUL goes as another control character, refused alike at its column.
export function asCString(text, limit) {
  return String(text).slice(0, limit + 1).replaceAll("\0", "\x01");
}

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
    onViewerFrame: () => say("frame"),
    instantiateWasm: (imports, receive) => {
      unpackedProgram().then((bytes) => WebAssembly.instantiate(bytes, imports))
        .then(({ instance }) => receive(instance))
        .catch((error) => say("stopped", String(error)));
      return {};
    },
  });
  return { events,
    // The window the program asked for: its title, and its size in CSS pixels.
    window: () => shape,
    ...whatIsShown(program), ...theView(program, canvas), ...aLook(program),
    // The canvas's drawing buffer is now `width` x `height` of the device's pixels.
    resize: (width, height) => program._glutLayerResize(width, height),
  };
}

// What is shown: the surfaces, one's own formulas, the keys and the cells as a file.
function whatIsShown(program) {
  const key = program.cwrap("glutLayerKey", "number", ["string"]);
  const caption = program.cwrap("normalsCaption", "string", ["number"]);
  const cellsAsObj = program.cwrap("normalsCellsAsObj", "string", []);
  const cellsFileName = program.cwrap("normalsCellsFileName", "string", []);
  const showFormula = program.cwrap("normalsShowFormula", "string",
    ["string", "string", "string", "number"]);
  const formula = program.cwrap("normalsFormula", "string", ["number"]);
  const surfaceCount = program._normalsSurfaceCount();
  const limit = program._normalsFormulaLimit();
  const clipped = (text) => asCString(text, limit);
  return {
    surfaceCount: () => surfaceCount,
    // The caption of built-in surface `k`.
    caption: (k) => caption(k),
    // The longest formula a field takes.
    formulaLimit: () => limit,
    // What the next frame shows: a surface's number (or `own`, the surface of one's own, with
    // its three formulas), whether it moves, its caption; and of the frame on the canvas, how
    // many of how many cells are left out, their corners not all finite.
    state: () => {
      const surface = program._normalsSurfaceIndex();
      const own = surface === surfaceCount;
      return { surface, own, moving: program._normalsAnimate() === 1, caption: caption(surface),
        formulas: own ? [0, 1, 2].map(formula) : null,
        leftOut: program._normalsCellsLeftOut(), cells: program._normalsCellCount() };
    },
    // Shows the surface whose X, Y and Z are these formulas; "" when it is shown, or else why
    // not (the message names the field), and what was shown stays.
    showFormula: (x, y, z, moving) =>
      showFormula(clipped(x), clipped(y), clipped(z), moving ? 1 : 0),
    clearFormula: () => program._normalsClearFormula(),
    // Shows a surface, moving or at rest, as a link asks; false for a surface there is not.
    show: (surface, moving) => program._normalsShow(surface, moving ? 1 : 0) === 1,
    // Hands the viewer a key (a KeyboardEvent's key); false for one without a character.
    key: (name) => key(name) === 1,
    // The cells of the frame on the canvas, as an OBJ file: its text, and a name for it.
    cellsAsObj: () => ({ text: cellsAsObj(), name: cellsFileName() }),
    // The same as a binary STL file: its bytes, and a name for it.
    cellsAsStl: () => {
      const at = program._normalsCellsAsStl(), size = program._normalsCellsStlSize();
      return { bytes: program.HEAPU8.slice(at, at + size),
        name: cellsFileName().replace(/\.obj$/, ".stl") };
    },
  };
}

// The view: turned, zoomed, reset, and the cell under a point of the canvas.
function theView(program, canvas) {
  return {
    // The view: the viewer's own camera, or a longitude, latitude (degrees) and distance from
    // the point looked at, its centre.
    view: () => {
      const n = (k) => program._normalsView(k);
      return { viewers: n(0) === 1, longitude: n(1), latitude: n(2), distance: n(3),
        centre: [n(4), n(5), n(6)] };
    },
    turn: (longitude, latitude) => program._normalsTurn(longitude, latitude),
    zoom: (factor) => program._normalsZoom(factor),
    resetView: () => program._normalsResetView(),
    setView: (longitude, latitude, distance, x = 0, y = 0, z = 0) =>
      program._normalsSetView(longitude, latitude, distance, x, y, z) === 1,
    // The eye kept in its direction and moved so that the surface fills the picture.
    fit: () => program._normalsFit(),
    captionInView: () => program._normalsCaptionInView() === 1,
    // The cell under (x, y), pixels of the drawing buffer from its top left: row * size +
    // column, or -1.
    pick: (x, y) => program._normalsPick(x, y, canvas.width, canvas.height),
  };
}

// A closer look: the normal lines, the grid, the constants, the figure of facet against own
// normals, and the cell looked into.
function aLook(program) {
  const inspection = program.cwrap("normalsInspection", "string", []);
  const setGrid = program.cwrap("normalsSetGrid", "string",
    ["number", "number", "number", "number", "number", "number", "number"]);
  const constantName = program.cwrap("normalsConstantName", "string", ["number"]);
  const setConstant = program.cwrap("normalsSetConstant", "number", ["string", "number"]);
  const convergence = program.cwrap("normalsConvergence", "string", []);
  const evaluate = program.cwrap("normalsEvaluate", "string", ["string", "string"]);
  return {
    // How the cells look: [the normal lines (0 the facet normals, 1 the surface's own, 2 both),
    // the facet normal (0 the corner, 1 the diagonals), the shading (0 flat, 1 smooth, 2
    // exact)]; setLook(k, choice) sets the k-th.
    look: () => [0, 1, 2].map((k) => program._normalsLook(k)),
    setLook: (what, choice) => program._normalsSetLook(what, choice) === 1,
    // The grid of the next frame: its rows (cells along u) and columns (along v), the ranges
    // asked for a surface of one's own ([u from, u to, v from, v to]) or null, and the viewer's
    // span of each parameter.
    grid: () => {
      const n = (k) => program._normalsGrid(k);
      return { rows: n(0), columns: n(1), ranges: n(2) === 1 ? [n(3), n(4), n(5), n(6)] : null,
        span: [-1, n(7)] };
    },
    // A range's end as typed (`2*pi`), evaluated by the formulas' parser: { value } or
    // { refusal } naming `field`.
    evaluate: (field, text) => {
      const refusal = evaluate(field, text);
      return refusal ? { refusal } : { value: program._normalsEvaluated() };
    },
    // Asks for a grid: "" when taken, or else why not (the field and what it takes).
    setGrid: (rows, columns, ranges) => setGrid(rows, columns, ranges ? 1 : 0,
      ...(ranges ?? [0, 0, 0, 0])),
    // The constants of the surface of one's own: [{name, value}], in the formulas' order.
    constants: () => Array.from({ length: program._normalsConstantCount() }, (_, k) =>
      ({ name: constantName(k), value: program._normalsConstant(k) })),
    setConstant: (name, value) => setConstant(name, value) === 1,
    // How close each kind of normal of the frame on the canvas comes to the surface's own, as
    // JSON (figuresJson).
    convergence: () => convergence(),
    inspect: (cell) => program._normalsInspect(cell),
    inspectedCell: () => program._normalsInspectedCell(),
    // The numbers of the cell looked into, in the frame on the canvas, or null.
    inspection: () => {
      const json = inspection();
      return json ? JSON.parse(json) : null;
    },
  };
}
