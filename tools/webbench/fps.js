// fps.js -- the web page's frame rate against bare.html, a page that only
// puts a 640 x 480 picture on the same kind of canvas, side by side in one
// headless browser with its frame-rate limit off: several rounds,
// alternating which runs first; prints each round, the medians and their
// ratio (target: at least 0.9). Also the page's size and when its first
// picture came.
// Usage: node fps.js WEBDIR FFXSCREENCHECK CHROMIUM WORKDIR [ROUNDS [SECONDS]]
'use strict';
const fs = require('fs');
const path = require('path');
const {fail, launch, openPage, serve, sleep, webDir, within} = require('../../tests/web/lib');

const rounds = Number(process.argv[6] || 7);
const seconds = Number(process.argv[7] || 3);
const median = values => [...values].sort((a, b) => a - b)[values.length >> 1];

// Pictures per second on a freshly opened page, after a warm-up second.
async function framesPerSecond(browser, url) {
  const {page} = await openPage(browser);
  await page.goto(url);
  if (!await within(page, 5, 'window.ffxFrames > 0')) fail(`${url} put no picture on its canvas`);
  const firstMs = await page.evaluate(() => window.ffxFirstFrameMs);
  await sleep(1000);
  const before = await page.evaluate(() => window.ffxFrames);
  await sleep(seconds * 1000);
  const fps = (await page.evaluate(() => window.ffxFrames) - before) / seconds;
  await page.close();
  return {fps, firstMs};
}

(async () => {
  const files = ['index.html', 'ffxdemo.js', 'ffxdemo.wasm'].filter(f => fs.existsSync(path.join(webDir, f)));
  const bytes = files.reduce((sum, f) => sum + fs.statSync(path.join(webDir, f)).size, 0);
  console.log(`page: ${files.join(' + ')} = ${bytes} bytes (target <= 300 KB)`);

  const {server, url} = await serve();
  const {browser, page} = await launch(640, 480, {unlimited: true});
  await page.close();
  const bare = `file://${path.join(__dirname, 'bare.html')}`;
  const demos = [], bares = [], ratios = [], firsts = [];
  try {
    for (let round = 1; round <= rounds; ++round) {
      let demo, base;
      if (round % 2) {
        demo = await framesPerSecond(browser, url);
        base = await framesPerSecond(browser, bare);
      } else {
        base = await framesPerSecond(browser, bare);
        demo = await framesPerSecond(browser, url);
      }
      demos.push(demo.fps);
      bares.push(base.fps);
      ratios.push(demo.fps / base.fps);
      firsts.push(demo.firstMs);
      console.log(`round ${round}: bare canvas ${base.fps.toFixed(1)} fps, web demo ${demo.fps.toFixed(1)} fps, ` +
                  `ratio ${ratios.at(-1).toFixed(3)}; first picture at ${demo.firstMs.toFixed(0)} ms`);
    }
  } finally {
    await browser.close();
    server.close();
  }
  console.log(`median: bare canvas ${median(bares).toFixed(1)} fps, web demo ${median(demos).toFixed(1)} fps`);
  console.log(`ratio of medians: ${(median(demos) / median(bares)).toFixed(3)} ` +
              `(median of the rounds' ratios: ${median(ratios).toFixed(3)}; target >= 0.90)`);
  console.log(`first picture: median ${median(firsts).toFixed(0)} ms after the page started loading (target < 1000)`);
})();
