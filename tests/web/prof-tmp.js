const {launch, serve, sleep, openPage} = require('./lib');
const path = require('path');
async function prof(browser, url) {
  const {page} = await openPage(browser);
  await page.goto(url); await sleep(1000);
  const cdp = await page.createCDPSession();
  await cdp.send('Profiler.enable'); await cdp.send('Profiler.start');
  const f0 = await page.evaluate(() => window.ffxFrames);
  await sleep(2000);
  const {profile} = await cdp.send('Profiler.stop');
  const frames = await page.evaluate(() => window.ffxFrames) - f0;
  const self = new Map(); const dt = profile.timeDeltas; const byId = new Map(profile.nodes.map(n => [n.id, n]));
  profile.samples.forEach((id, i) => { const n = byId.get(id); const k = n.callFrame.functionName || '(anon)'; self.set(k, (self.get(k) || 0) + (dt[i] || 0)); });
  console.log(url.slice(-12), 'frames', frames, [...self.entries()].sort((a, b) => b[1] - a[1]).slice(0, 6).map(([k, v]) => `${k} ${(v / 1000 / frames * 1000).toFixed(0)}us`).join(', '));
  await page.close();
}
(async () => {
  const {server, url} = await serve();
  const {browser, page} = await launch(640, 480, {unlimited: true});
  await page.close();
  for (let i = 0; i < 2; ++i) { await prof(browser, url); await prof(browser, 'file://' + path.resolve('tools/webbench/bare.html')); }
  await browser.close(); server.close();
})();
