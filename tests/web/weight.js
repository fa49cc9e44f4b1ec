// weight.js -- the page is light and quick: the page, its script and the
// module inside it are at most 300 KB together before compression (a page
// with music loads its MP3 in a script of its own besides, in base64: the
// whole at most 4/3 of the MP3 and those 300 KB), the first picture (with
// music, under the start screen) is on the canvas within a second of the
// page starting to load, and its music decoded within two (the best of
// three loads, so that one slow start of a busy machine does not decide).
'use strict';
const fs = require('fs');
const path = require('path');
const {fail, pageFile, run, webDir, within} = require('./lib');

const limitBytes = 300 * 1000;
const limitMs = 1000;
const limitMusicMs = 2000;

run(640, 480, async ({page, url}) => {
  const html = fs.readFileSync(path.join(webDir, pageFile), 'utf8');
  const scripts = [...html.matchAll(/<script src="([^"]+)"/g)].map(match => match[1]);
  const size = f => fs.statSync(path.join(webDir, f)).size;
  // The music's script (NAME_music.js, before the module): its MP3 in base64
  // and a line of figures.
  const musicScript = scripts.find(f => f.endsWith('_music.js'));
  const music = musicScript ? size(musicScript) : 0;
  const bytes = size(pageFile) + scripts.filter(f => f !== musicScript).reduce((sum, f) => sum + size(f), 0);
  if (bytes > limitBytes) fail(`${pageFile} and its module are ${bytes} bytes besides the music, more than ${limitBytes}`);
  if (musicScript) {
    const base64 = /mp3: '([^']*)'/.exec(fs.readFileSync(path.join(webDir, musicScript), 'utf8'))[1];
    const mp3 = base64.length * 3 / 4;
    if (bytes + music > mp3 * 4 / 3 + limitBytes)
      fail(`the page is ${bytes + music} bytes with its music, more than 4/3 of its ${mp3} bytes of MP3 and ${limitBytes}`);
  }
  const firsts = [], decoded = [];
  for (let load = 0; load < 3; ++load) {
    await page.goto(url);
    if (!await within(page, 5, 'window.ffxFrames > 0')) fail('no picture within 5 s');
    firsts.push(await page.evaluate(() => window.ffxFirstFrameMs));
    if (!musicScript) continue;
    if (!await within(page, 10, 'FFXMusic.decodedMs > 0')) fail('the music not decoded within 10 s');
    decoded.push(await page.evaluate(() => FFXMusic.decodedMs));
  }
  const best = Math.min(...firsts), bestDecoded = Math.min(...decoded);
  if (best > limitMs) fail(`the first picture came ${best.toFixed(0)} ms after loading started (${firsts})`);
  if (musicScript && bestDecoded > limitMusicMs) fail(`the music was decoded ${bestDecoded.toFixed(0)} ms after loading started (${decoded})`);
  const times = list => list.map(ms => ms.toFixed(0)).join(', ');
  console.log(`weight: ${bytes} bytes (and ${music} of music); first picture at ${times(firsts)} ms` +
              (musicScript ? `, music decoded at ${times(decoded)} ms` : ''));
});
