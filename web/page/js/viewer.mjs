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
  // The state is read from the viewer once after each change, whoever asks for it then; while
  // a link's values are set together, the page hears of their changes once, at the end.
  let known = null, holding = 0, held = false;
  const changed = () => {
    known = null;
    if (holding > 0) held = true;
    else say("change");
  };
  const program = await createNormals({
    canvas,
    print: (text) => console.log(text),
    printErr: (text) => console.error(text),
    onAbort: (what) => say("stopped", String(what)),
    onExit: (status) => say("ended", status),
    onWindow: (title, width, height) => { shape = { title, width, height }; },
    onViewerChange: changed,
    onViewerFrame: () => say("frame"),
    instantiateWasm: (imports, receive) => {
      unpackedProgram().then((bytes) => WebAssembly.instantiate(bytes, imports))
        .then(({ instance }) => receive(instance))
        .catch((error) => say("stopped", String(error)));
      return {};
    },
  });
  const stateJson = program.cwrap("normalsState", "string", []);
  const facts = JSON.parse(program.cwrap("normalsFacts", "string", [])());
  const state = () => {
    known ??= JSON.parse(stateJson());
    return known;
  };
  facts.surfaceCount = facts.captions.length;
  return { events, facts,
    // The window the program asked for: its title, and its size in CSS pixels.
    window: () => shape,
    // What the next frame shows, as normalsState gives it: the surface (`own` for the surface
    // of one's own, with its `formulas` and `constants`), whether it is `moving`, its
    // `caption`, its `grid` ({rows, columns, ranges or null, span}), the `view` ({viewers,
    // longitude, latitude, distance, centre, captionInView}), the `look` ([normal lines, facet
    // normal, shading]), the `cell` looked into ([row, column] or null); and of the frame on
    // the canvas how many of its `cells` are `leftOut`, their corners not all finite.
    state,
    // Runs `setting`, which sets several things at once; the page hears one change after it.
    together: (setting) => {
      holding += 1;
      try {
        setting();
      } finally {
        holding -= 1;
        if (holding === 0 && held) {
          held = false;
          say("change");
        }
      }
    },
    ...whatIsShown(program, facts), ...theView(program, canvas, state), ...aLook(program),
    // The canvas's drawing buffer is now `width` x `height` of the device's pixels.
    resize: (width, height) => program._normalsResize(width, height),
  };
}

// What is shown: the surfaces, one's own formulas, the keys and the cells as a file.
function whatIsShown(program, facts) {
  const key = program.cwrap("glutLayerKey", "number", ["string"]);
  const cellsAsObj = program.cwrap("normalsCellsAsObj", "string", []);
  const cellsFileName = program.cwrap("normalsCellsFileName", "string", []);
  const showFormula = program.cwrap("normalsShowFormula", "string",
    ["string", "string", "string", "number"]);
  const clipped = (text) => asCString(text, facts.formulaLimit);
  return {
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
function theView(program, canvas, state) {
  return {
    turn: (longitude, latitude) => program._normalsTurn(longitude, latitude),
    zoom: (factor) => program._normalsZoom(factor),
    resetView: () => program._normalsResetView(),
    setView: (longitude, latitude, distance, x = 0, y = 0, z = 0) =>
      program._normalsSetView(longitude, latitude, distance, x, y, z) === 1,
    // The eye kept in its direction and moved so that the surface fills the picture.
    fit: () => program._normalsFit(),
    // The cell under (x, y), pixels of the drawing buffer from its top left: [row, column], or
    // null.
    pick: (x, y) => {
      const cell = program._normalsPick(x, y, canvas.width, canvas.height);
      const { columns } = state().grid;
      return cell < 0 ? null : [Math.floor(cell / columns), cell % columns];
    },
  };
}

// A closer look: the normal lines, the grid, the constants, the figure of facet against own
// normals, and the cell looked into.
function aLook(program) {
  const inspection = program.cwrap("normalsInspection", "string", []);
  const setGrid = program.cwrap("normalsSetGrid", "string",
    ["number", "number", "number", "number", "number", "number", "number"]);
  const setConstant = program.cwrap("normalsSetConstant", "number", ["string", "number"]);
  const convergence = program.cwrap("normalsConvergence", "string", []);
  const evaluate = program.cwrap("normalsEvaluate", "string", ["string", "string"]);
  return {
    // How the cells look: setLook(k, choice) sets the k-th of the state's `look`.
    setLook: (what, choice) => program._normalsSetLook(what, choice) === 1,
    // A range's end as typed (`2*pi`), evaluated by the formulas' parser: { value } or
    // { refusal } naming `field`.
    evaluate: (field, text) => {
      const refusal = evaluate(field, text);
      return refusal ? { refusal } : { value: program._normalsEvaluated() };
    },
    // Asks for a grid: "" when taken, or else why not (the field and what it takes).
    setGrid: (rows, columns, ranges) => setGrid(rows, columns, ranges ? 1 : 0,
      ...(ranges ?? [0, 0, 0, 0])),
    setConstant: (name, value) => setConstant(name, value) === 1,
    // How close each kind of normal of the frame on the canvas comes to the surface's own, as
    // JSON (figuresJson).
    convergence: () => convergence(),
    // Looks into the cell at `row` and `column` of the grid, or into none (-1, -1); false for
    // a cell the grid does not have.
    inspect: (row, column) => program._normalsInspect(row, column) === 1,
    // The numbers of the cell looked into, in the frame on the canvas, or null.
    inspection: () => {
      const json = inspection();
      return json ? JSON.parse(json) : null;
    },
  };
}
