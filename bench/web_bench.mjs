// The browser page's frame as a user meets it, beside the desktop viewer's: the page animating
// in the browser's own frame loop with its frame-rate cap lifted, each surface chosen with a
// key, less what an empty WebGL 2 page that only clears costs a frame in the same browser
// (bench/empty_webgl.html); against the desktop's own work a frame, given by bench.sh (the
// viewer's frame less an empty clear-and-swap). Medians of five runs of --seconds each, and how
// much of the last surface's frame is spent in the calls that send WebGL data. Then,
// in the browser as it comes (its frames capped by the screen's rate), the CPU time a second
// of the browser's processes with the page animating and with it paused.
//   node web_bench.mjs --browser chromium|firefox --page normals.html --desktop MS,MS,...
//     [--seconds S]
import { dirname, join } from "node:path";
import { fileURLToPath } from "node:url";
import { commandLine, cpuSeconds, frameTime, launch, nextFrames, open, pollUntil, shown,
  started } from "../driver/browser/browsers.mjs";

const o = commandLine("node web_bench.mjs --browser chromium|firefox --page PAGE " +
  "--desktop MS,MS,... [--seconds S]", { seconds: "2" },
(given) => Number(given.seconds) > 0 && /^[0-9.]+(,[0-9.]+)*$/.test(given.desktop ?? ""));
const desktop = o.desktop.split(",").map(Number);
const seconds = Number(o.seconds);

// The median of five runs of `seconds` each, after one to warm up.
async function medianFrame(tab) {
  await frameTime(tab, seconds / 2);
  const runs = [];
  for (let run = 0; run < 5; run++) runs.push(await frameTime(tab, seconds));
  return runs.sort((x, y) => x - y)[2];
}

// The milliseconds a frame spends inside the WebGL calls that send data (a browser may wait
// there for its GPU process to catch up), over --seconds.
const sendingTime = (tab) => tab.evaluate((s) => new Promise((done) => {
  const context = WebGL2RenderingContext.prototype;
  let spent = 0, frames = 0;
  for (const name of ["bufferData", "bufferSubData", "texImage2D", "texSubImage2D"]) {
    const call = context[name];
    context[name] = function (...given) {
      const start = performance.now();
      call.apply(this, given);
      spent += performance.now() - start;
    };
  }
  const end = performance.now() + s * 1000;
  const step = (now) => (++frames, now < end ? requestAnimationFrame(step) : done(spent / frames));
  requestAnimationFrame(step);
}), seconds);

// The milliseconds a frame spends in the page's own script and WebAssembly: the frame loop's
// callbacks less the time inside WebGL's calls (where a browser may wait for its renderer,
// software here), over --seconds, the median of five.
const ownWork = async (tab) => {
  const runs = [];
  for (let run = 0; run < 5; run++) {
    runs.push(await tab.evaluate((s) => new Promise((done) => {
      const context = WebGL2RenderingContext.prototype;
      let inGl = 0, spent = 0, frames = 0;
      const kept = [];
      for (const name of Object.getOwnPropertyNames(context)) {
        const call = Object.getOwnPropertyDescriptor(context, name).value;
        if (typeof call !== "function" || name === "constructor") continue;
        kept.push([name, call]);
        context[name] = function (...given) {
          const start = performance.now();
          try {
            return call.apply(this, given);
          } finally {
            inGl += performance.now() - start;
          }
        };
      }
      const raf = window.requestAnimationFrame.bind(window);
      window.requestAnimationFrame = (callback) => raf((time) => {
        const start = performance.now(), glBefore = inGl;
        callback(time);
        spent += performance.now() - start - (inGl - glBefore);
        frames++;
      });
      setTimeout(() => {
        window.requestAnimationFrame = raf;
        for (const [name, call] of kept) context[name] = call;
        done(spent / Math.max(frames, 1));
      }, s * 1000);
    }), seconds));
  }
  return runs.sort((x, y) => x - y)[2];
};

const { b, close } = await launch(o.browser, { uncapped: true });
try {
  const tab = await open(b, o.page);
  await started(tab);
  // The page's own canvas size, clear colour and context settings, for the empty page.
  const settings = await tab.evaluate(() => {
    const canvas = document.getElementById("canvas"), gl = canvas.getContext("webgl2");
    return new URLSearchParams({ size: canvas.width,
      clear: Array.from(gl.getParameter(gl.COLOR_CLEAR_VALUE)).join(","),
      context: JSON.stringify(gl.getContextAttributes()) }).toString();
  });
  // The surfaces the desktop was measured on, from the first.
  const surfaces = desktop.length;
  const renderer = await tab.evaluate(() => {
    const gl = document.createElement("canvas").getContext("webgl2");
    const info = gl.getExtension("WEBGL_debug_renderer_info");
    return info ? gl.getParameter(info.UNMASKED_RENDERER_WEBGL) : gl.getParameter(gl.RENDERER);
  });
  const emptyTab = await open(b, join(dirname(fileURLToPath(import.meta.url)),
    "empty_webgl.html"), `?${settings}`);
  await tab.bringToFront();
  const page = [];
  for (let surface = 0; surface < surfaces; surface++) {
    if (surface > 0) await tab.keyboard.press("KeyN");
    await pollUntil(`surface ${surface}`, async () => (await shown(tab)).surface === surface);
    page.push(await medianFrame(tab));
  }
  const sending = await sendingTime(tab);
  // Surface 2 written as a formula of one's own, moving as the built-in does.
  const formulaTab = await open(b, o.page,
    "#x=(t-0.5%2Bu)*5&y=sin((t-0.5%2Bu)*v*5)&z=v*5");
  await started(formulaTab);
  const formula = await medianFrame(formulaTab);
  await formulaTab.close();
  // Surface 2 moving, the page's own work a frame at 21 x 21 and cut into 100 x 100 cells,
  // 22.7 times the viewer's 441; and at 100 x 100 at rest, untouched.
  const work = [];
  for (const cells of ["", "&cells=100,100", "&still&cells=100,100"]) {
    const workTab = await open(b, o.page, `#surface=2${cells}`);
    await started(workTab);
    work.push(await ownWork(workTab));
    await workTab.close();
  }
  await tab.bringToFront();
  await emptyTab.bringToFront();
  const empty = await medianFrame(emptyTab);
  console.log(`${o.browser} ${await b.version()}, WebGL 2 on ${renderer}; ` +
    `an empty WebGL 2 page: ${empty.toFixed(2)} ms a frame`);
  console.log(`of the last surface's ${page[surfaces - 1].toFixed(2)} ms a frame, ` +
    `${sending.toFixed(2)} ms in the calls that send WebGL the frame's data`);
  const builtIn = page.length > 2 ? `; built in: ${page[2].toFixed(2)} ms, ` +
    `${(page[2] - empty).toFixed(2)} ms` : "";
  console.log(`surface 2 written as a formula: ${formula.toFixed(2)} ms a frame, its own work ` +
    `${(formula - empty).toFixed(2)} ms${builtIn} (60 Hz leaves 16.7 ms)`);
  console.log(`surface 2 moving, the page's script and WebAssembly a frame: ` +
    `${work[0].toFixed(3)} ms at 21 x 21 cells, ${work[1].toFixed(3)} ms at 100 x 100, ` +
    `${(work[1] / work[0]).toFixed(1)} times; at rest at 100 x 100, untouched, ` +
    `${work[2].toFixed(3)} ms`);
  console.log("surface   page frame   page's own   desktop's own   page / desktop");
  for (let s = 0; s < surfaces; s++) {
    const own = page[s] - empty;
    console.log(`${String(s).padEnd(9)} ${page[s].toFixed(2).padStart(7)} ms ` +
      `${own.toFixed(2).padStart(9)} ms ${desktop[s].toFixed(2).padStart(12)} ms ` +
      `${(own / desktop[s]).toFixed(2).padStart(13)}`);
  }
} finally {
  await close();
}

// CPU time a second, animating and then paused with space, over --seconds each.
const capped = await launch(o.browser);
try {
  const tab = await open(capped.b, o.page);
  await started(tab);
  const perSecond = async () => {
    await nextFrames(tab, 30);
    const before = cpuSeconds(capped.b), start = Date.now();
    await new Promise((r) => setTimeout(r, seconds * 1000));
    return (1000 * (cpuSeconds(capped.b) - before)) / ((Date.now() - start) / 1000);
  };
  const animating = await perSecond();
  await tab.keyboard.press(" ");
  await pollUntil("the animation to stop", async () => !(await shown(tab)).animate);
  const paused = await perSecond();
  console.log(`CPU time a second at the screen's rate: animating ${animating.toFixed(0)} ms, ` +
    `paused ${paused.toFixed(0)} ms`);
} finally {
  await capped.close();
}
