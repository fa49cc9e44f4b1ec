// music.js -- the flash-and-tone page (FFX_PAGE) in a browser whose sound
// goes to the test's null sink (music.sh records it): the start screen,
// then a click; the page ends by itself at the music's end with exit code 0.
// With FFX_AWAY (MiniBrowser's only: seconds), another window takes the
// focus that long, 3 s after the click.
// Writes when the page put each white frame on its canvas (WORKDIR/flashes,
// seconds on the wall clock) and when it was clicked (WORKDIR/click).
'use strict';
const {execFileSync} = require('child_process');
const fs = require('fs');
const path = require('path');
const {fail, run, sleep, within, work} = require('./lib');

function watchFlashes() {
  const put = CanvasRenderingContext2D.prototype.putImageData;
  let white = false;
  window.ffxFlashes = [];
  CanvasRenderingContext2D.prototype.putImageData = function(image, ...rest) {
    const now = (performance.timeOrigin + performance.now()) / 1000;
    if (image.data[0] > 128 && !white) window.ffxFlashes.push(now);
    white = image.data[0] > 128;
    return put.call(this, image, ...rest);
  };
}

// The root window takes the focus for `seconds`, as a click on another
// window would, then the browser has it again.
async function away(browser, seconds) {
  const root = /Window id: (0x[0-9a-f]+)/.exec(execFileSync('xwininfo', ['-root']).toString())[1];
  execFileSync('xdotool', ['windowfocus', root]);
  await sleep(seconds * 1000);
  browser.focus();
}

run(320, 240, async ({browser, page, url}) => {
  await page.goto(url);
  if (!await within(page, 10, 'document.getElementById("start") !== null')) fail('no start screen');
  // Before the click, so from the first frame after it.
  await page.evaluate(watchFlashes);
  await sleep(1000); // silence expected meanwhile
  fs.writeFileSync(path.join(work, 'click'), `${Date.now() / 1000}\n`);
  // MiniBrowser's driver clicks an element, at its centre.
  await (page.mouse ? page.mouse.click(160, 120) : page.click('#start'));
  if (process.env.FFX_AWAY) {
    await sleep(3000);
    await away(browser, Number(process.env.FFX_AWAY));
  }
  if (!await within(page, 20, 'window.ffxExitCode === 0'))
    fail(`exit code ${await page.evaluate(() => window.ffxExitCode)} at the music's end, expected 0`);
  const flashes = await page.evaluate(() => window.ffxFlashes);
  fs.writeFileSync(path.join(work, 'flashes'), flashes.map(t => t.toFixed(4)).join('\n') + '\n');
  console.log(`music: ended by itself with 0 after ${flashes.length} flashes`);
});
