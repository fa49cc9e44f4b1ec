// session.js -- a whole session in a window of the frame's size, where the
// picture is not scaled: the page shows an exact effect frame; Space brings the
// frame-rate readout within a second, without the browser's own action for
// the key, and a second Space takes it away; Escape ends the program with
// exit code 0, which the page shows and gives to scripts.
'use strict';
const {fail, frameWidth, frameHeight, run, screenShows, within} = require('./lib');

run(frameWidth, frameHeight, async ({page, url}) => {
  await page.goto(url);
  let shown = await screenShows(page, 10);
  if (!shown.ok) fail(`the page never showed an effect frame: ${shown.report}`);
  console.log(shown.report);

  await page.evaluate(() => addEventListener('keydown', e => { window.spacePrevented = e.defaultPrevented; }));
  await page.keyboard.press(' ');
  shown = await screenShows(page, 1, {readout: true});
  if (!shown.ok) fail(`no readout a second after Space: ${shown.report}`);
  if (!await page.evaluate(() => window.spacePrevented)) fail('the browser acted on Space too');
  await page.keyboard.press(' ');
  shown = await screenShows(page, 1);
  if (!shown.ok) fail(`the readout stayed a second after the second Space: ${shown.report}`);

  await page.keyboard.press('Escape');
  if (!await within(page, 2, 'window.ffxExitCode === 0'))
    fail(`exit code ${await page.evaluate(() => window.ffxExitCode)} 2 s after Escape, expected 0`);
  const notice = await page.$eval('#ended', e => e.hidden ? '' : e.textContent);
  if (!/exit code 0/.test(notice)) fail(`the page does not say the demo ended: "${notice}"`);
  console.log('session: frame exact, readout on and off, Escape ends with 0');
});
