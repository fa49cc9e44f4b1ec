// focus.js -- a page that stays visible but loses the keyboard's focus to
// another window stops rendering: no frames and no processor time in the
// browser's processes; with the focus back, frames resume. Run in WebKitGTK's
// MiniBrowser on a virtual X server, where the focus can be taken away
// (headless Chromium always reports it).
'use strict';
const {execFileSync} = require('child_process');
const fs = require('fs');
const {fail, run, screenShows, sleep, within} = require('./lib');

// Processor time of the processes, in clock ticks (1/100 s).
const ticks = pids => pids.reduce((sum, pid) => {
  try {
    const stat = fs.readFileSync(`/proc/${pid}/stat`, 'utf8');
    const fields = stat.slice(stat.lastIndexOf(')') + 2).split(' ');
    return sum + Number(fields[11]) + Number(fields[12]); // utime, stime
  } catch (error) {
    return sum; // ended meanwhile
  }
}, 0);

run(640, 480, async ({browser, page, url}) => {
  await page.goto(url);
  let shown = await screenShows(page, 10);
  if (!shown.ok) fail(`the page never showed an effect frame: ${shown.report}`);
  const running = await page.evaluate(() => window.ffxFrames);
  await sleep(1000);
  const busyTicks = ticks(browser.pids());
  await sleep(2000);
  const busy = ticks(browser.pids()) - busyTicks;

  // The root window takes the focus, as a click on another window would.
  const root = /Window id: (0x[0-9a-f]+)/.exec(execFileSync('xwininfo', ['-root']).toString())[1];
  execFileSync('xdotool', ['windowfocus', root]);
  if (!await within(page, 2, '!document.hasFocus()')) fail('the page kept the focus');
  if (await page.evaluate(() => document.visibilityState) !== 'visible') fail('the page was hidden');
  await sleep(500);
  const frames = await page.evaluate(() => window.ffxFrames);
  const idleTicks = ticks(browser.pids());
  await sleep(2000);
  const idle = ticks(browser.pids()) - idleTicks;
  const still = await page.evaluate(() => window.ffxFrames) - frames;
  if (still !== 0) fail(`${still} frames in 2 s without the focus`);
  if (idle > 10) fail(`${idle} ticks of processor time in 2 s without the focus (${busy} with it)`);

  browser.focus();
  if (!await within(page, 2, `window.ffxFrames > ${frames}`)) fail('no frames with the focus back');
  shown = await screenShows(page, 2);
  if (!shown.ok) fail(`no effect frame with the focus back: ${shown.report}`);
  await page.keyboard.press('Escape');
  if (!await within(page, 2, 'window.ffxExitCode === 0')) fail('Escape did not end the program with 0');
  console.log(`focus: ${running} frames; ${busy} ticks in 2 s with the focus, no frames and ${idle} ticks ` +
              'in 2 s without it, frames again with it back');
});
