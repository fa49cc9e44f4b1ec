// layout.js -- the canvas in windows of other sizes: filling the window's
// limiting side, centred; at a whole scale the picture itself enlarged with
// sharp pixels (image-rendering: pixelated), in between the picture at the
// next whole scale up, scaled down smoothly; scaled down smoothly to fit a
// window smaller than the picture. At twice the size, the screen taken back
// to one pixel per picture pixel is exactly a frame.
'use strict';
const path = require('path');
const {fail, run, screenShows, within, work} = require('./lib');

// [window width, height] -> the canvas's box [left, top, width, height],
// its own size in pixels, and how the browser scales it.
const expected = [
  [[1400, 1000], [33, 0, 1333, 1000], [1920, 1440], 'auto'],
  [[640, 480], [0, 0, 640, 480], [640, 480], 'pixelated'],
  [[1000, 700], [33, 0, 933, 700], [1280, 960], 'auto'],
  [[1300, 960], [10, 0, 1280, 960], [640, 480], 'pixelated'],
  [[480, 600], [0, 120, 480, 360], [640, 480], 'auto'],
  [[844, 390], [162, 0, 520, 390], [640, 480], 'auto'],
];

run(1280, 960, async ({page, url}) => {
  await page.goto(url);
  const shown = await screenShows(page, 10, {scale: 2});
  if (!shown.ok) fail(`at twice the size, no exact effect frame: ${shown.report}`);
  for (const [[width, height], box, size, rendering] of expected) {
    await page.setViewport({width, height});
    // The page lays the canvas out again on the window's resize event.
    await within(page, 2, `(r => [r.left, r.top, r.width, r.height].join() === '${box.join()}')(
        document.getElementById('screen').getBoundingClientRect())`);
    const shown = await page.$eval('#screen', canvas => {
      const r = canvas.getBoundingClientRect();
      return {box: [r.left, r.top, r.width, r.height], size: [canvas.width, canvas.height],
        rendering: getComputedStyle(canvas).imageRendering};
    });
    const where = `in a ${width} x ${height} window`;
    await page.screenshot({path: path.join(work, `${width}x${height}.png`)});
    if (shown.box.join() !== box.join()) fail(`${where} the canvas is at ${shown.box}, expected ${box}`);
    if (shown.size.join() !== size.join()) fail(`${where} the canvas is ${shown.size}, expected ${size}`);
    if (shown.rendering !== rendering) fail(`${where} the canvas is drawn ${shown.rendering}, expected ${rendering}`);
  }
  console.log('layout: the limiting side filled, centred, sharp at whole scales and between them');
});
