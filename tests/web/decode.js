// decode.js -- the page's music decoded by the browser starts where the
// music starts: the click page's music (tests/music/click.flac, 1 s) has a
// click at sample frame 1000 and one at 40000, left up and right down. Each
// lands within a millisecond (48 sample frames) of its place. Decoded in two
// pieces side by side, the MP3 gives what it gives decoded whole: exactly
// in Chromium; Firefox and WebKitGTK decode to 16 bits, and round a few
// samples either way (at most one 16-bit step).
'use strict';
const {engine, fail, run, within} = require('./lib');

run(640, 480, async ({page, url, lines}) => {
  await page.goto(url);
  if (!await within(page, 10, 'FFXMusic.decodedMs > 0')) fail(`the music not decoded: ${lines.join('; ')}`);
  const found = await page.evaluate(() => {
    const [left, right] = FFXMusic.samples;
    const peak = (from, to) => {
      let at = from;
      for (let i = from; i < to; ++i) if (Math.abs(left[i]) > Math.abs(left[at])) at = i;
      return at;
    };
    const first = peak(0, 20000), second = peak(20000, left.length);
    return {length: left.length, first, second, up: left[first] > 0.3 && right[first] < -0.3};
  });
  const pieces = await page.evaluate(() => {
    const music = Module['ffxMusic'], bytes = Uint8Array.from(atob(music.mp3), c => c.charCodeAt(0));
    const starts = FFXMusic.frameStarts(bytes);
    return Promise.all([FFXMusic.decodeParts(bytes, starts, 2), FFXMusic.decodeBytes(bytes)]).then(([parts, whole]) => {
      if (!parts) return 'not decoded exactly in pieces';
      for (let c = 0; c < 2; ++c) {
        const all = whole.getChannelData(c);
        if (all.length !== parts[c].length) return `${parts[c].length} sample frames in pieces, ${all.length} whole`;
        let most = 0, at = -1, n = 0;
        for (let i = 0; i < all.length; ++i) {
          const d = Math.abs(all[i] - parts[c][i]);
          if (d > 0) ++n;
          if (d > most) { most = d; at = i; }
        }
        if (most > 1.0001 / 32767) return `channel ${c} differs by up to ${most} at ${at} (${n} differ)`;
      }
      return 'the same, to a 16-bit step';
    });
  });
  const report = `${engine}: ${found.length} sample frames, clicks at ${found.first} and ${found.second}, ` +
    `in pieces ${pieces}` +
    (lines.length ? `; console: ${lines.join('; ')}` : '');
  if (found.length !== 48000) fail(`not 48000 sample frames: ${report}`);
  if (Math.abs(found.first - 1000) > 48 || Math.abs(found.second - 40000) > 48)
    fail(`a click out of place: ${report}`);
  if (!found.up) fail(`the first click is not left up and right down: ${report}`);
  if (!pieces.startsWith('the same')) fail(`in pieces not as whole: ${report}`);
  console.log(`decode: ${report}`);
});
