// touch.js -- touch gives the program its keys (Chromium's touch
// emulation, on a phone whose 640 x 480 device pixels show the picture
// unscaled): a tap brings the frame-rate readout and a second tap takes it
// away; a double tap asks for full screen and gives no key; a press held for
// a second ends the program with exit code 0.
'use strict';
const {fail, run, screenShows, sleep, within} = require('./lib');

run(640, 480, async ({page, url}) => {
  await page.setViewport({width: 320, height: 240, deviceScaleFactor: 2, isMobile: true, hasTouch: true});
  await page.goto(url);
  let shown = await screenShows(page, 10);
  if (!shown.ok) fail(`the page never showed an effect frame: ${shown.report}`);

  await page.touchscreen.tap(160, 120);
  shown = await screenShows(page, 1.5, {readout: true});
  if (!shown.ok) fail(`no readout after a tap: ${shown.report}`);
  await page.touchscreen.tap(160, 120);
  shown = await screenShows(page, 1.5);
  if (!shown.ok) fail(`the readout stayed after a second tap: ${shown.report}`);

  await page.touchscreen.tap(160, 120);
  await sleep(100);
  await page.touchscreen.tap(160, 120);
  if (!await within(page, 2, 'document.fullscreenElement !== null')) fail('a double tap did not ask for full screen');
  await page.evaluate(() => document.exitFullscreen());
  await sleep(600);
  shown = await screenShows(page, 1.5);
  if (!shown.ok) fail(`a double tap gave the program a key: ${shown.report}`);

  await page.touchscreen.touchStart(160, 120);
  await sleep(1300);
  await page.touchscreen.touchEnd();
  if (!await within(page, 2, 'window.ffxExitCode === 0'))
    fail(`exit code ${await page.evaluate(() => window.ffxExitCode)} after a held press, expected 0`);
  console.log('touch: tap on and off, double tap full screen without a key, held press ends with 0');
});
