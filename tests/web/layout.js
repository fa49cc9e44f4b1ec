// layout.js -- the canvas in windows of other sizes: enlarged by the
// largest whole factor that fits and centred, scaled down to fit a window
// smaller than the picture, always with sharp pixels (image-rendering:
// pixelated); at twice the size, the screen taken back to one pixel per
// picture pixel is exactly a frame.
'use strict';
const {fail, run, screenShows, within} = require('./lib');

// [window width, height] -> the canvas's box [left, top, width, height].
const expected = [
  [[1400, 1000], [60, 20, 1280, 960]],
  [[640, 480], [0, 0, 640, 480]],
  [[1000, 700], [180, 110, 640, 480]],
  [[320, 400], [0, 80, 320, 240]],
];

run(1280, 960, async ({page, url}) => {
  await page.goto(url);
  const shown = await screenShows(page, 10, {scale: 2});
  if (!shown.ok) fail(`at twice the size, no exact effect frame: ${shown.report}`);
  for (const [[width, height], box] of expected) {
    await page.setViewport({width, height});
    // The page lays the canvas out again on the window's resize event.
    await within(page, 2, `(r => [r.left, r.top, r.width, r.height].join() === '${box.join()}')(
        document.getElementById('screen').getBoundingClientRect())`);
    const shown = await page.$eval('#screen', canvas => {
      const r = canvas.getBoundingClientRect();
      return {box: [r.left, r.top, r.width, r.height], rendering: getComputedStyle(canvas).imageRendering};
    });
    if (shown.box.join() !== box.join())
      fail(`in a ${width} x ${height} window the canvas is at ${shown.box}, expected ${box}`);
    if (shown.rendering !== 'pixelated') fail(`the canvas is drawn ${shown.rendering}`);
  }
  console.log('layout: whole-factor scale, centred, scaled down to fit, sharp pixels');
});
