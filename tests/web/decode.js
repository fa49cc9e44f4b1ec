// decode.js -- the page's music decoded by the browser starts where the
// music starts: the click page's music (tests/music/click.flac, 1 s) has a
// click at sample frame 1000 and one at 40000, left up and right down. Each
// lands within a millisecond (48 sample frames) of its place.
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
  const report = `${engine}: ${found.length} sample frames, clicks at ${found.first} and ${found.second}` +
    (lines.length ? `; console: ${lines.join('; ')}` : '');
  if (found.length !== 48000) fail(`not 48000 sample frames: ${report}`);
  if (Math.abs(found.first - 1000) > 48 || Math.abs(found.second - 40000) > 48)
    fail(`a click out of place: ${report}`);
  if (!found.up) fail(`the first click is not left up and right down: ${report}`);
  console.log(`decode: ${report}`);
});
