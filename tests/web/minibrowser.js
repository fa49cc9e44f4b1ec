// minibrowser.js -- WebKitGTK's MiniBrowser, driven through WebKitWebDriver
// with selenium-webdriver, behind the few page operations the browser tests
// use, named and called as puppeteer's (goto, evaluate, $eval,
// waitForFunction, keyboard.press, click, screenshot of the viewport,
// setViewport). MiniBrowser
// needs an X display: the tests run under xvfb-run. With no window manager
// there, nothing gives the window the focus; xdotool does, as a user's click
// would.
'use strict';
const {execFileSync, spawn} = require('child_process');
const fs = require('fs');
const http = require('http');
const net = require('net');
const {Builder, By, Key} = require('selenium-webdriver');

const KEYS = {' ': ' ', Space: ' ', Escape: Key.ESCAPE, Enter: Key.ENTER};

const sleep = ms => new Promise(resolve => setTimeout(resolve, ms));

// A loopback port nobody listens on.
function freePort() {
  return new Promise(resolve => {
    const server = net.createServer().listen(0, '127.0.0.1', () => {
      const {port} = server.address();
      server.close(() => resolve(port));
    });
  });
}

// Waits until the driver answers on its port (up to 10 s).
async function driverReady(port) {
  for (let tries = 0; tries < 100; ++tries) {
    const up = await new Promise(resolve =>
      http.get(`http://127.0.0.1:${port}/status`, res => resolve(res.resume() && true)).on('error', () => resolve(false)));
    if (up) return;
    await sleep(100);
  }
  throw new Error(`WebKitWebDriver did not answer on port ${port}`);
}

// The page's operations over a WebDriver session.
// onNewDocument runs in every page as it is loaded.
function pageOf(driver, onNewDocument) {
  const call = (fn, args) => driver.executeScript(`return (${fn}).apply(null, arguments)`, ...args);
  const page = {
    async goto(url) {
      await driver.get(url);
      await call(onNewDocument, []);
    },
    evaluate: (fn, ...args) => call(fn, args),
    $eval: (selector, fn, ...args) => driver.executeScript(
      `return (${fn})(document.querySelector(arguments[0]), ...[].slice.call(arguments, 1))`, selector, ...args),
    async waitForFunction(expression, {timeout, polling}) {
      const deadline = Date.now() + timeout;
      while (!await driver.executeScript(`return !!(${expression})`)) {
        if (Date.now() >= deadline) throw new Error(`timed out waiting for ${expression}`);
        await sleep(polling);
      }
    },
    keyboard: {press: key => driver.actions().sendKeys(KEYS[key] || key).perform()},
    click: selector => driver.findElement(By.css(selector)).click(),
    // The viewport.
    async screenshot({path}) {
      fs.writeFileSync(path, Buffer.from(await driver.takeScreenshot(), 'base64'));
    },
    // The window sized so that its viewport is width x height.
    async setViewport({width, height}) {
      const [dx, dy] = await driver.executeScript('return [outerWidth - innerWidth, outerHeight - innerHeight]');
      await driver.manage().window().setRect({x: 0, y: 0, width: width + dx, height: height + dy});
    },
  };
  return page;
}

// MiniBrowser with a width x height viewport and the keyboard's focus, as
// lib.js's launch gives a browser: {browser: {close, focus, pids}, page, lines};
// onNewDocument as for pageOf. The page's console is not reported.
async function launch(miniBrowser, width, height, onNewDocument) {
  const port = await freePort();
  const driverProcess = spawn('WebKitWebDriver', [`--port=${port}`], {stdio: 'ignore'});
  // A failing test ends with process.exit, past any cleanup of its own.
  process.on('exit', () => driverProcess.kill());
  await driverReady(port);
  const driver = await new Builder().usingServer(`http://127.0.0.1:${port}`).withCapabilities({
    browserName: 'MiniBrowser',
    'webkitgtk:browserOptions': {binary: miniBrowser, args: ['--automation']},
  }).build();
  const page = pageOf(driver, onNewDocument);
  await page.setViewport({width, height});
  const browser = {
    // Gives MiniBrowser's window the keyboard's focus.
    focus: () => execFileSync('xdotool', ['search', '--sync', '--onlyvisible', '--class', 'MiniBrowser', 'windowfocus']),
    async close() {
      await driver.quit().catch(() => {});
      driverProcess.kill();
    },
    // The driver and every process under it (MiniBrowser, its web process).
    pids: () => descendants(driverProcess.pid),
  };
  browser.focus();
  return {browser, page, lines: []};
}

// pid and the processes under it, from /proc.
function descendants(pid) {
  const parents = new Map();
  for (const name of fs.readdirSync('/proc').filter(n => /^\d+$/.test(n))) {
    try {
      const stat = fs.readFileSync(`/proc/${name}/stat`, 'utf8');
      parents.set(Number(name), Number(stat.slice(stat.lastIndexOf(')') + 2).split(' ')[1]));
    } catch (error) {
      // gone meanwhile
    }
  }
  const all = [pid];
  for (let i = 0; i < all.length; ++i)
    for (const [child, parent] of parents) if (parent === all[i]) all.push(child);
  return all;
}

module.exports = {launch};
