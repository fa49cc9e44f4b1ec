// fileurl.js -- the page opened straight from its file, with no server:
// the module is inside the script, so the page shows an exact effect frame
// (index.html, or FFX_PAGE).
'use strict';
const path = require('path');
const {fail, pageFile, run, screenShows, webDir} = require('./lib');

run(640, 480, async ({page}) => {
  await page.goto(`file://${path.resolve(webDir, pageFile)}`);
  const shown = await screenShows(page, 10);
  if (!shown.ok) fail(`the page from its file never showed an effect frame: ${shown.report}`);
  console.log(`fileurl: ${shown.report}`);
});
