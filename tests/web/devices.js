// devices.js -- the page on phones, tablets and laptops (Chromium's device
// emulation, portrait and landscape, device pixel ratios 1 to 3): the layout
// keeps the device's width, the canvas lies inside the viewport filling its
// limiting side, centred, and the page neither scrolls nor zooms, not even
// when a finger drags or two fingers pinch.
'use strict';
const path = require('path');
const {fail, run, within, work} = require('./lib');

// [name, CSS width, height, device pixel ratio, touch]
const devices = [
  ['phone', 390, 844, 3, true],
  ['phone-landscape', 844, 390, 3, true],
  ['small-phone', 320, 568, 2, true],
  ['small-phone-landscape', 568, 320, 2, true],
  ['tablet', 820, 1180, 2, true],
  ['tablet-landscape', 1180, 820, 2, true],
  ['laptop', 1366, 768, 1, false],
  ['laptop-hidpi', 1440, 900, 1.5, false],
];

// What the page shows: the viewport, the canvas's box, scrolling and zoom.
const measure = () => {
  const r = document.getElementById('screen').getBoundingClientRect();
  const root = document.scrollingElement;
  return {inner: [innerWidth, innerHeight], box: [r.left, r.top, r.width, r.height],
    scroll: [root.scrollWidth, root.scrollHeight, scrollX, scrollY], zoom: visualViewport.scale};
};

// A finger dragged up and two fingers spread apart: on a page that lets
// them, the first scrolls and the second zooms.
async function dragAndPinch(cdp, x, y) {
  const touch = (type, touchPoints) => cdp.send('Input.dispatchTouchEvent', {type, touchPoints});
  await touch('touchStart', [{x, y}]);
  for (let i = 1; i <= 10; ++i) await touch('touchMove', [{x, y: y - i * 20}]);
  await touch('touchEnd', []);
  await touch('touchStart', [{x: x - 10, y, id: 0}, {x: x + 10, y, id: 1}]);
  for (let i = 1; i <= 10; ++i)
    await touch('touchMove', [{x: x - 10 - i * 10, y, id: 0}, {x: x + 10 + i * 10, y, id: 1}]);
  await touch('touchEnd', []);
}

run(640, 480, async ({page, url}) => {
  const cdp = await page.createCDPSession();
  for (const [name, width, height, ratio, touch] of devices) {
    await page.setViewport({width, height, deviceScaleFactor: ratio, isMobile: touch, hasTouch: touch});
    await page.goto(url);
    if (!await within(page, 10, 'window.ffxFrames > 0')) fail(`${name}: no picture`);
    if (touch) await dragAndPinch(cdp, width / 2, height / 2);
    await page.evaluate(() => scrollBy(100, 200));
    const m = await page.evaluate(measure);
    await page.screenshot({path: path.join(work, `${name}.png`)});
    const [left, top, w, h] = m.box;
    const px = 1 / ratio + 1e-6; // one device pixel, in CSS pixels
    const what = `${name} (${width} x ${height} at ${ratio}): ${JSON.stringify(m)}`;
    if (m.inner.join() !== [width, height].join()) fail(`the layout is not the device's size: ${what}`);
    if (m.zoom !== 1 || m.scroll[2] !== 0 || m.scroll[3] !== 0) fail(`the page zoomed or scrolled: ${what}`);
    if (m.scroll[0] > width || m.scroll[1] > height) fail(`the page can scroll: ${what}`);
    if (left < 0 || top < 0 || left + w > width + px || top + h > height + px)
      fail(`the canvas is not inside the viewport: ${what}`);
    if (Math.abs(w / h - 4 / 3) > 2 * px / h * 4) fail(`the picture's aspect is not kept: ${what}`);
    if (Math.min(width - w, height - h) > px) fail(`the canvas does not fill the limiting side: ${what}`);
    if (Math.abs(left - (width - w - left)) > px || Math.abs(top - (height - h - top)) > px)
      fail(`the canvas is not centred: ${what}`);
  }
  console.log(`devices: ${devices.length} phones, tablets and laptops; inside the viewport, ` +
              'filling its limiting side, centred, no scrolling or zooming');
});
