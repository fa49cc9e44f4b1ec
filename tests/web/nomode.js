// nomode.js -- on a 320 x 240 display the mode is refused: the page's box
// shows "Video mode not found" (caption "Error") and the program waits until
// it is answered; then "DDRAW_Init" (caption "ERROR"); both texts reach the
// console in order, and the program ends with exit code 0.
'use strict';
const path = require('path');
const {engine, fail, run, sleep, within, work} = require('./lib');

// The box's caption and text while it is shown, else null.
const box = page => page.$eval('#box', e => e.hidden ? null :
  [document.getElementById('box-caption').textContent, document.getElementById('box-text').textContent]);

async function expectBox(page, caption, text) {
  if (!await within(page, 10, `!document.getElementById('box').hidden &&
      document.getElementById('box-caption').textContent === ${JSON.stringify(caption)}`))
    fail(`no box captioned ${caption}; the box: ${JSON.stringify(await box(page))}`);
  const shown = await box(page);
  if (shown[1].trim() !== text) fail(`the ${caption} box says "${shown[1]}", expected "${text}"`);
}

// The display is 320 x 240: Chromium's is emulated here, Firefox's and
// WebKit's are set where the browser starts (the headless screen's size, the
// virtual X server's).
run(640, 480, async ({page, url, lines}) => {
  if (engine === 'chromium')
    await (await page.createCDPSession()).send('Emulation.setDeviceMetricsOverride',
      {width: 640, height: 480, deviceScaleFactor: 1, mobile: false, screenWidth: 320, screenHeight: 240});
  await page.goto(url);

  await expectBox(page, 'Error', 'Video mode not found');
  await page.screenshot({path: path.join(work, 'box.png')});
  await sleep(500);
  if (await page.evaluate(() => 'ffxExitCode' in window)) fail('the program went on past the box');
  await page.click('#box-ok');
  await expectBox(page, 'ERROR', 'DDRAW_Init');
  await page.keyboard.press('Enter');
  if (!await within(page, 2, 'window.ffxExitCode === 0'))
    fail(`exit code ${await page.evaluate(() => window.ffxExitCode)}, expected 0`);

  // WebDriver does not report MiniBrowser's console.
  const boxes = lines.filter(line => /^(Error|ERROR): /.test(line)).map(line => line.trim());
  if (engine !== 'webkit' && boxes.join('|') !== 'Error: Video mode not found|ERROR: DDRAW_Init')
    fail(`the console said: ${lines.join('\n')}`);
  console.log('nomode: both boxes in order, answered by click and Return, exit code 0');
});
