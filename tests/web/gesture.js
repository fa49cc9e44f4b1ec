// gesture.js -- a page with music (FFX_PAGE: the tune's) plays no sound
// before a gesture: it shows its first frame under the start screen's one
// line, and a key, a click or a tap starts it. The starting key or tap is
// not passed on to the demo: a Space or a tap would bring the frame-rate
// readout (white text, which the tune's colours never are); a later Space
// does.
'use strict';
const {fail, run, sleep, within} = require('./lib');

// White pixels where the readout is drawn.
const readoutPixels = page => page.evaluate(() => {
  const pixels = document.getElementById('screen').getContext('2d').getImageData(0, 0, 120, 24).data;
  let white = 0;
  for (let i = 0; i < pixels.length; i += 4) white += pixels[i] === 255 && pixels[i + 1] === 255 && pixels[i + 2] === 255;
  return white;
});

async function startWith(page, url, name, gesture) {
  await page.goto(url);
  if (!await within(page, 10, 'document.getElementById("start") && window.ffxFrames > 0'))
    fail(`${name}: no start screen over a first frame`);
  const line = await page.$eval('#start', e => e.textContent);
  if (line !== 'Click, tap or press a key to start') fail(`${name}: the start screen says '${line}'`);
  await sleep(500);
  if (await page.evaluate(() => window.ffxFrames) !== 1) fail(`${name}: frames went on before the gesture`);
  await gesture();
  if (!await within(page, 2, '!document.getElementById("start") && window.ffxFrames > 5'))
    fail(`${name}: the gesture did not start the demo`);
  await sleep(1200);
  const white = await readoutPixels(page);
  if (white > 0) fail(`${name}: the starting gesture reached the demo (${white} readout pixels)`);
}

run(640, 480, async ({page, url}) => {
  await startWith(page, url, 'key', () => page.keyboard.press('Space'));
  await page.keyboard.press('Space');
  await sleep(1500);
  if (await readoutPixels(page) === 0) fail('a Space after the start did not bring the readout');
  await startWith(page, url, 'click', () => page.mouse.click(320, 240));
  await page.setViewport({width: 640, height: 480, hasTouch: true, isMobile: true});
  await startWith(page, url, 'tap', () => page.touchscreen.tap(320, 240));
  console.log('gesture: a key, a click and a tap each start the music, and none reaches the demo');
});
