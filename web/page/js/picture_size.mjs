// "Larger picture": the picture as the largest square the window holds, drawn at that size (the
// viewer draws a resized window with its projection's aspect of 1, square here); and "Full
// screen" where the browser offers it. The viewer's own 400 x 400 is the default.
export function showPictureSize(picture, canvas, larger, fullScreen, width) {
  let large = false;
  const fit = () => {
    // Larger, the picture stands alone above the groups, as wide as the page and the window's
    // height allow.
    document.body.classList.toggle("large", large);
    if (!large) {
      canvas.style.maxWidth = `${width}px`;
      return;
    }
    // The window's height below the picture's top on the page, so that it shows whole.
    const top = picture.getBoundingClientRect().top + scrollY;
    const room = Math.min(innerHeight - top - 8, picture.parentElement.clientWidth);
    canvas.style.maxWidth = `${Math.floor(Math.max(width, room))}px`;
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
