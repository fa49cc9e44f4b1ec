// nosound.js -- the flash-and-tone page (FFX_PAGE) in a browser that never
// lets its sound run (an AudioContext that stays suspended): after the
// click the picture goes on without it, on the timer, and the page still
// ends by itself at the music's end with exit code 0.
'use strict';
const {fail, run, within} = require('./lib');

function refuseSound() {
  const Refusing = class extends AudioContext {
    constructor(options) {
      super(options);
      this.suspend();
    }
    resume() {
      return Promise.resolve();
    }
  };
  window.AudioContext = Refusing;
}

run(320, 240, async ({page, url}) => {
  await page.evaluateOnNewDocument(refuseSound);
  await page.goto(url);
  if (!await within(page, 10, 'document.getElementById("start") !== null')) fail('no start screen');
  await page.mouse.click(160, 120);
  if (!await within(page, 20, 'window.ffxExitCode === 0'))
    fail(`exit code ${await page.evaluate(() => window.ffxExitCode)} without sound, expected 0`);
  if (await page.evaluate(() => window.ffxFrames) < 100) fail('the picture stood while the sound did not run');
  console.log('nosound: without sound the page went on and ended by itself with 0');
});
