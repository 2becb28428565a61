// "Larger picture": the picture as the largest square the window holds, drawn at that size (the
// viewer draws a resized window with its projection's aspect of 1, square here); and "Full
// screen" where the browser offers it. The viewer's own 400 x 400 is the default.
export function showPictureSize(picture, canvas, larger, fullScreen, width) {
  let large = false;
  const fit = () => {
    if (!large) {
      canvas.style.maxWidth = `${width}px`;
      return;
    }
    const box = picture.getBoundingClientRect();
    // Within the window's height, less the picture's own top margin, and its column's width.
    const side = Math.max(width, Math.min(innerHeight - 16, document.documentElement.clientWidth -
      2 * box.left));
    canvas.style.maxWidth = `${Math.floor(side)}px`;
  };
  const size = {
    events: new EventTarget(),
    large: () => large,
    setLarge: (yes) => {
      large = yes;
      larger.setAttribute("aria-pressed", String(large));
      fit();
      size.events.dispatchEvent(new Event("size"));
    },
  };
  larger.addEventListener("click", () => size.setLarge(!large));
  addEventListener("resize", fit);
  if (document.fullscreenEnabled) {
    fullScreen.hidden = false;
    fullScreen.addEventListener("click", () => picture.requestFullscreen());
  }
  fit();
  return size;
}
