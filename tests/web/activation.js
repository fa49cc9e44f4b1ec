// activation.js -- with the page hidden (its window minimised) no frames are
// presented and the page's scripts sleep; visible again, frames resume and
// show the time that has passed meanwhile.
'use strict';
const {fail, run, screenShows, sleep, within} = require('./lib');

// The milliseconds the screen check found the frame to show.
const shownMs = report => Number((/as at (\d+) ms/.exec(report) || [])[1]);

run(640, 480, async ({page, url}) => {
  const cdp = await page.createCDPSession();
  await cdp.send('Performance.enable');
  const scriptSeconds = async () =>
    (await cdp.send('Performance.getMetrics')).metrics.find(m => m.name === 'ScriptDuration').value;
  const frames = () => page.evaluate(() => window.ffxFrames);
  const {windowId} = await cdp.send('Browser.getWindowForTarget');
  const windowState = state => cdp.send('Browser.setWindowBounds', {windowId, bounds: {windowState: state}});

  await page.goto(url);
  let shown = await screenShows(page, 10);
  if (!shown.ok) fail(`the page never showed an effect frame: ${shown.report}`);
  const before = shownMs(shown.report);

  await windowState('minimized');
  if (!await within(page, 2, 'document.visibilityState === "hidden"')) fail('the page did not become hidden');
  await sleep(500);
  const [frames1, script1] = [await frames(), await scriptSeconds()];
  await sleep(2000);
  const [frames2, script2] = [await frames(), await scriptSeconds()];
  if (frames2 !== frames1) fail(`${frames2 - frames1} frames presented in 2 s while hidden`);
  const busy = script2 - script1;
  if (busy > 0.05) fail(`${busy.toFixed(3)} s of script in 2 s while hidden`);

  // The first shots may still show the last picture from before.
  await windowState('normal');
  const deadline = Date.now() + 2000;
  let after;
  do {
    shown = await screenShows(page, 2);
    after = shownMs(shown.report);
  } while (!(shown.ok && after >= before + 2500) && Date.now() < deadline);
  if (!shown.ok) fail(`no effect frame with the page visible again: ${shown.report}`);
  if (!(after >= before + 2500)) fail(`the frame shows ${after} ms, ${before} ms before hiding 2.5 s`);
  if (!(await frames() > frames2)) fail('no frames presented once visible again');

  await page.keyboard.press('Escape');
  if (!await within(page, 2, 'window.ffxExitCode === 0')) fail('Escape did not end the program with 0');
  console.log(`activation: no frames and ${busy.toFixed(3)} s of script in 2 s hidden; ` +
              `frames again at ${after} ms (${before} ms before)`);
});
