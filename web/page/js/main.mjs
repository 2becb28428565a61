// The page: the viewer on its canvas, sized in the device's pixels; the link it was opened with,
// and the address kept to what is shown; its buttons, its name and announcements; what it says
// when it cannot start, stops or ends.
import { startViewer } from "./viewer.mjs";
import { linked, linkTo } from "./address.mjs";
import { listenForInput } from "./input.mjs";
import { showControls } from "./controls.mjs";
import { announceChanges } from "./announcer.mjs";
import { showFormulaForm } from "./formula_form.mjs";
import { showViewControls } from "./view_controls.mjs";
import { showInspector } from "./inspector.mjs";
import { showNormalsChoice } from "./normals_choice.mjs";
import { showExamples } from "./examples.mjs";
import { showPictureSize } from "./picture_size.mjs";
import { showGridForm } from "./grid_form.mjs";
import { showConstants } from "./constants.mjs";

const element = (id) => document.getElementById(id);
const say = (text) => { element("status").textContent = text; };
const hide = (...ids) => ids.forEach((id) => { element(id).hidden = true; });

// The drawing buffer has the device's pixels: the canvas's CSS size times the pixel ratio.
function followSize(viewer, canvas) {
  const observer = new ResizeObserver(([entry]) => {
    const css = entry.contentBoxSize[0], device = entry.devicePixelContentBoxSize;
    let width = Math.round(css.inlineSize * devicePixelRatio);
    let height = Math.round(css.blockSize * devicePixelRatio);
    // The browser's own count, where it has one that agrees: it knows how it snaps to pixels.
    if (device && Math.abs(device[0].inlineSize - width) <= 1 &&
        Math.abs(device[0].blockSize - height) <= 1) {
      width = device[0].inlineSize;
      height = device[0].blockSize;
    }
    viewer.resize(width, height);
  });
  try {
    observer.observe(canvas, { box: "device-pixel-content-box" });
  } catch {
    observer.observe(canvas);
  }
  return observer;
}

// The link's state, and the address kept to what is shown from then on; a surface of one's own
// is shown through its form, which says why when it is refused.
function followAddress(viewer, showFormula, inspector, pictureSize, gridForm) {
  const reduced = matchMedia("(prefers-reduced-motion: reduce)").matches;
  let stillByPreference = false;
  let refusal = "";
  const open = (hash) => {
    const link = linked(hash, viewer.facts);
    // What the link asks for that it cannot have is said, and replaced by the next link's.
    const text = link.refused.length > 0 ?
      `Not taken from the link: ${link.refused.join("; ")}.` : "";
    if (text || element("status").textContent === refusal) say(text);
    refusal = text;
    stillByPreference = reduced && !link.still;
    const moving = !link.still && !reduced;
    viewer.together(() => {
      if (!link.formulas) showFormula.forget();
      if (!link.formulas || !showFormula(link.formulas, moving)) viewer.show(link.surface, moving);
      for (const [name, value] of Object.entries(link.constants)) viewer.setConstant(name, value);
      gridForm.open(link.cells, link.ranges);
      if (!link.view || !viewer.setView(...link.view)) viewer.resetView();
      link.look.forEach((choice, what) => viewer.setLook(what, choice));
      inspector.setOn(link.inspect);
      if (link.inspect && link.cell) inspector.look(link.cell);
    });
    if (link.large !== pictureSize.large()) pictureSize.setLarge(link.large);
  };
  // The address as the page last left it. Any other is a link the browser has taken and not
  // yet told of (its hashchange is on its way): a change meanwhile must not write over it.
  let followed = location.hash;
  const write = () => {
    if (location.hash !== followed) return;
    const shown = viewer.state();
    if (shown.moving) stillByPreference = false;
    const hash = linkTo(shown, stillByPreference, { view: shown.view,
      inspecting: inspector.on(), cell: shown.cell, look: shown.look, large: pictureSize.large(),
      grid: { ...shown.grid, texts: gridForm.rangeTexts() }, constants: shown.constants });
    if (location.hash !== hash) history.replaceState(null, "", hash);
    followed = location.hash;
  };
  open(location.hash);
  write();
  viewer.events.addEventListener("change", write);
  inspector.events.addEventListener("toggle", write);
  pictureSize.events.addEventListener("size", write);
  addEventListener("hashchange", () => {
    followed = location.hash;
    open(location.hash);
    write();
  });
}

async function main() {
  const canvas = element("canvas");
  if (!document.createElement("canvas").getContext("webgl2")) {
    hide("stage", "controls", "view", "formula", "keys");
    say("This browser offers no WebGL 2, which the viewer needs to draw. Current Firefox, " +
        "Chrome, Edge and Safari have it; it may be turned off in this browser's settings, " +
        "or hardware acceleration may be off.");
    return;
  }
  const viewer = await startViewer(canvas);
  const { title, width, height } = viewer.window();
  document.title = title;
  element("title").textContent = title;
  canvas.style.aspectRatio = `${width} / ${height}`;
  const pictureSize = showPictureSize(element("picture"), canvas, element("larger"),
    element("full-screen"), width);
  let observer = null;
  viewer.events.addEventListener("stopped", ({ detail }) => say(`The viewer stopped: ${detail}`));
  // Escape ends the program, and the frames with it; the message takes the picture's place.
  viewer.events.addEventListener("ended", ({ detail }) => {
    observer?.disconnect();
    hide("stage", "controls", "view");
    say(`The viewer ended with status ${detail}. Reload the page to start it again.`);
  });
  const showFormula = showFormulaForm(viewer, element("formula"), element("formula-message"),
    element("left-out"));
  const inspector = showInspector(viewer, { toggle: element("inspect"),
    fields: element("cell-fields"), row: element("cell-row"), column: element("cell-column"),
    panel: element("cell-panel"), copy: element("cell-copy"), help: element("cell-help"),
    message: element("cell-message") },
    element("announce"));
  showNormalsChoice(viewer, ["normals", "facet", "shading"].map((group) =>
    [...element(group).querySelectorAll("input")]));
  showViewControls(viewer, [...element("view").querySelectorAll("button")],
    element("caption-note"));
  showExamples(element("examples"), viewer.facts.captions, linkTo);
  const lookInto = (row, column) => {
    if (!inspector.on()) inspector.setOn(true);
    inspector.look([row, column]);
  };
  const gridForm = showGridForm(viewer, element("grid"), element("grid-message"),
    element("convergence"), element("worst-cell"), lookInto);
  showConstants(viewer, element("constants"), element("constants-message"));
  followAddress(viewer, showFormula, inspector, pictureSize, gridForm);
  const next = element("next"), animation = element("animation");
  listenForInput(viewer, canvas, [...element("controls").querySelectorAll("button")],
    inspector);
  showControls(viewer, next, animation, element("obj"), element("stl"));
  announceChanges(viewer, canvas, element("announce"));
  observer = followSize(viewer, canvas);
}

main().catch((error) => say(`The viewer could not start: ${error}`));
