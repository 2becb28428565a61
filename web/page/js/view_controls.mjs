// Buttons for every drag and pinch (WCAG 2.2's 2.5.7: a way without dragging): turn left,
// right, up and down, nearer and further, fitted to the surface, and back to the viewer's own
// view. Where the turned
// view leaves the caption out of the picture, it is said beside the picture.

// Degrees a button turns the view, and how much nearer a button moves it.
const kTurnStep = 15;
const kZoomStep = 1.25;

export function showViewControls(viewer, buttons, note) {
  const actions = {
    "turn-left": () => viewer.turn(kTurnStep, 0),
    "turn-right": () => viewer.turn(-kTurnStep, 0),
    "turn-up": () => viewer.turn(0, kTurnStep),
    "turn-down": () => viewer.turn(0, -kTurnStep),
    "nearer": () => viewer.zoom(1 / kZoomStep),
    "further": () => viewer.zoom(kZoomStep),
    "reset-view": () => viewer.resetView(),
    "fit": () => viewer.fit(),
  };
  for (const button of buttons) button.addEventListener("click", actions[button.id]);
  const follow = () => {
    const { view, caption } = viewer.state();
    note.textContent = view.captionInView ? "" :
      `The formula is out of the picture at this view: ${caption}`;
  };
  viewer.events.addEventListener("change", follow);
  follow();
}
