// The picture's name for screen readers, "Surface K, formula, moving|at rest" ("Your surface,
// ..." for a surface of one's own), kept current, and each change announced politely.

function nameOf(state) {
  return `${state.own ? "Your surface" : `Surface ${state.surface}`}, ${state.caption}, ` +
    (state.moving ? "moving" : "at rest");
}

export function announceChanges(viewer, canvas, announcer) {
  let said = nameOf(viewer.state());
  canvas.setAttribute("aria-label", said);
  viewer.events.addEventListener("change", () => {
    const name = nameOf(viewer.state());
    if (name === said) return;
    said = name;
    canvas.setAttribute("aria-label", name);
    announcer.textContent = name;
  });
}
