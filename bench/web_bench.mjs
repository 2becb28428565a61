// What a frame of the browser page costs: every surface at rest, drawn as the display handler
// draws it and finished before the next, in one browser (driver/browser).
//   node web_bench.mjs --browser chromium|firefox --page normals.html [--frames N]
import { commandLine, frameCost, launch, open, started, surfaceCount }
  from "../driver/browser/browsers.mjs";

const o = commandLine("node web_bench.mjs --browser chromium|firefox --page PAGE [--frames N]",
  { frames: "200" }, (given) => Number(given.frames) > 0);

const { b, close } = await launch(o.browser);
try {
  const tab = await open(b, o.page);
  await started(tab);
  const renderer = await tab.evaluate(() => {
    const gl = document.createElement("canvas").getContext("webgl2");
    const info = gl.getExtension("WEBGL_debug_renderer_info");
    return info ? gl.getParameter(info.UNMASKED_RENDERER_WEBGL) : gl.getParameter(gl.RENDERER);
  });
  console.log(`${o.browser} ${await b.version()}, WebGL 2 on ${renderer}`);
  console.log("surface   frame ms   (median of 5 runs of " + o.frames + " frames)");
  const surfaces = await surfaceCount(tab);
  for (let surface = 0; surface < surfaces; surface++) {
    await tab.evaluate((s) => { Module._normalsTestFrame(s, 0, 0, 1, 1); }, surface);
    await frameCost(tab, 20); // shaders and buffers warm
    const runs = [];
    for (let run = 0; run < 5; run++) runs.push(await frameCost(tab, Number(o.frames)));
    runs.sort((x, y) => x - y);
    console.log(`${String(surface).padEnd(9)} ${runs[2].toFixed(3).padStart(8)}`);
  }
} finally {
  await close();
}
