// lib.js -- what the browser end-to-end tests share: the page served on the
// loopback address, a browser (headless Chromium through the DevTools
// protocol, headless Firefox through WebDriver BiDi, or WebKitGTK's
// MiniBrowser through WebKitWebDriver: minibrowser.js), screenshots put to
// the screen checker, and failing with a message.
// Arguments of every test: WEBDIR FFXSCREENCHECK BROWSER WORKDIR; the
// browser's executable names its engine (firefox..., MiniBrowser, else
// Chromium). The page is index.html and its frame 640 x 480 unless FFX_PAGE
// and FFX_SIZE (WxH) name another demo's.
'use strict';
const {execFile} = require('child_process');
const fs = require('fs');
const http = require('http');
const path = require('path');
const puppeteer = require('puppeteer-core');

const [webDir, screencheck, browserPath, work] = process.argv.slice(2);
fs.mkdirSync(work, {recursive: true});
const engine = (name => name.startsWith('firefox') ? 'firefox' : name === 'MiniBrowser' ? 'webkit' : 'chromium')(
  path.basename(browserPath));
const pageFile = process.env.FFX_PAGE || 'index.html';
const [frameWidth, frameHeight] = (process.env.FFX_SIZE || '640x480').split('x').map(Number);

const TYPES = {'.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm'};

function fail(message) {
  console.error(`FAIL: ${message}`);
  process.exit(1);
}

const sleep = ms => new Promise(resolve => setTimeout(resolve, ms));

// Serves the build's folder as any static file server would.
function serve() {
  const server = http.createServer((req, res) => {
    const name = decodeURIComponent(new URL(req.url, 'http://x').pathname);
    const file = path.join(webDir, name === '/' ? pageFile : path.normalize(name));
    fs.readFile(file, (error, data) => {
      if (error || !file.startsWith(webDir)) {
        res.writeHead(404);
        res.end();
        return;
      }
      res.writeHead(200, {'Content-Type': TYPES[path.extname(file)] || 'application/octet-stream'});
      res.end(data);
    });
  });
  return new Promise(resolve =>
    server.listen(0, '127.0.0.1', () => resolve({server, url: `http://127.0.0.1:${server.address().port}/`})));
}

// Counts, on every page, the pictures put on a canvas (window.ffxFrames)
// and notes when the first came (window.ffxFirstFrameMs, from the start of
// the page's loading).
function countFrames() {
  const put = CanvasRenderingContext2D.prototype.putImageData;
  window.ffxFrames = 0;
  CanvasRenderingContext2D.prototype.putImageData = function(...args) {
    if (window.ffxFrames++ === 0) window.ffxFirstFrameMs = performance.now();
    return put.apply(this, args);
  };
}

// A page of the browser, its pictures counted; the console's lines
// collected in `lines`.
async function openPage(browser) {
  const page = await browser.newPage();
  await page.evaluateOnNewDocument(countFrames);
  const lines = [];
  page.on('console', message => lines.push(message.text()));
  page.on('pageerror', error => lines.push(`page error: ${error.message}`));
  return {page, lines};
}

// A fresh browser of the engine with a width x height viewport, its
// frame-rate limit off when asked (Chromium), and a page open.
async function launch(width, height, {unlimited = false} = {}) {
  if (engine === 'webkit') return require('./minibrowser').launch(browserPath, width, height, countFrames);
  if (engine === 'firefox') {
    const browser = await puppeteer.launch({browser: 'firefox', executablePath: browserPath, headless: true,
      defaultViewport: {width, height}});
    return {browser, ...await openPage(browser)};
  }
  const profile = fs.mkdtempSync(path.join(work, 'profile-'));
  const args = ['--no-sandbox', '--disable-gpu', '--disable-background-networking',
    '--disable-component-update', '--disable-sync', '--no-first-run', '--force-color-profile=srgb',
    `--window-size=${width},${height}`, `--user-data-dir=${profile}`];
  if (unlimited) args.push('--disable-frame-rate-limit', '--disable-gpu-vsync');
  const browser = await puppeteer.launch({executablePath: browserPath, headless: 'shell', args,
    defaultViewport: {width, height}, userDataDir: profile});
  const blanks = await browser.pages();
  const session = {browser, ...await openPage(browser)};
  for (const blank of blanks) await blank.close();
  return session;
}

// The screen checker's verdict on a screenshot of the page; with `readout`,
// that the frame-rate readout is shown; with `scale`, of a picture that
// fills the top-left corner enlarged that many times, taken back to one
// pixel per picture pixel (one pixel of each square).
async function check(page, file, {readout = false, scale = 1} = {}) {
  await page.screenshot({path: file});
  if (scale !== 1) {
    const corner = `${frameWidth * scale}x${frameHeight * scale}+0+0`;
    await new Promise((resolve, reject) => execFile('convert',
      [file, '-crop', corner, '+repage', '-sample', `${100 / scale}%`, file], error => error ? reject(error) : resolve()));
  }
  const args = readout ? ['--readout', file] : [file];
  return new Promise(resolve => execFile(screencheck, args, (error, stdout, stderr) =>
    resolve({ok: !error, report: (stdout + stderr).trim()})));
}

// Takes screenshots until one passes the screen check (options as for
// check); false once a shot started after `seconds` does not. A shot can
// catch a picture half drawn, so one failing shot proves nothing. Returns
// the last check.
async function screenShows(page, seconds, options) {
  const deadline = Date.now() + seconds * 1000;
  for (;;) {
    const started = Date.now();
    const result = await check(page, path.join(work, 'screen.png'), options);
    if (result.ok || started >= deadline) return result;
  }
}

// Waits until the page's expression is true; false after `seconds`.
async function within(page, seconds, expression) {
  return page.waitForFunction(expression, {timeout: seconds * 1000, polling: 50}).then(() => true, () => false);
}

// Runs a test with the page served and a browser open, closing both after.
async function run(width, height, test, options) {
  const {server, url} = await serve();
  const session = await launch(width, height, options);
  try {
    await test({...session, url});
  } catch (error) {
    fail(`${error.stack}\nconsole:\n${session.lines.join('\n')}`);
  } finally {
    await session.browser.close();
    server.close();
  }
}

module.exports = {webDir, pageFile, frameWidth, frameHeight, work, engine, fail, sleep, serve, launch, openPage, check,
  screenShows, within, run};
