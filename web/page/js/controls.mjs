// The viewer's buttons: each presses the key a person would, and the animation's button says
// what it will do.

export function showControls(viewer, next, animation) {
  next.addEventListener("click", () => viewer.key("n"));
  animation.addEventListener("click", () => viewer.key(" "));
  const follow = () => {
    animation.textContent = viewer.state().moving ? "Stop the animation" : "Start the animation";
  };
  viewer.events.addEventListener("change", follow);
  follow();
}
