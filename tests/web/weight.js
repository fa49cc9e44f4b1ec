// weight.js -- the page is light and quick: the page, its script and the
// module inside it are at most 300 KB together before compression (a page
// with music carries it in its script besides, which does not count), and the
// first picture is on the canvas within a second of the page starting to
// load (the best of three loads, so that one slow start of a busy machine
// does not decide).
'use strict';
const fs = require('fs');
const path = require('path');
const {fail, pageFile, run, webDir, within} = require('./lib');

const limitBytes = 300 * 1000;
const limitMs = 1000;

run(640, 480, async ({page, url}) => {
  const script = /<script src="([^"]+)"/.exec(fs.readFileSync(path.join(webDir, pageFile), 'utf8'))[1];
  const size = f => fs.statSync(path.join(webDir, f)).size;
  // The music's samples, put before the module (NAME_music.js).
  const music = fs.readdirSync(webDir).filter(f => f.endsWith('_music.js')).reduce((sum, f) => sum + size(f), 0);
  const bytes = size(pageFile) + size(script) - music;
  if (bytes > limitBytes) fail(`${pageFile} and ${script} are ${bytes} bytes besides the music, more than ${limitBytes}`);
  const firsts = [];
  for (let load = 0; load < 3; ++load) {
    await page.goto(url);
    if (!await within(page, 5, 'window.ffxFrames > 0')) fail('no picture within 5 s');
    firsts.push(await page.evaluate(() => window.ffxFirstFrameMs));
  }
  const best = Math.min(...firsts);
  if (best > limitMs) fail(`the first picture came ${best.toFixed(0)} ms after loading started (${firsts})`);
  console.log(`weight: ${bytes} bytes (and ${music} of music); first picture at ${firsts.map(ms => ms.toFixed(0)).join(', ')} ms`);
});
