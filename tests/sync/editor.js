// editor.js LIVE WORKDIR -- plays a sync editor on loopback against LIVE,
// the probe's live program (probe/probe.cpp: red the tracks' values, green
// and blue the row shown), and reads what it shows from the screen:
// the greeting and the order of its track requests, keys shown, pause and
// seek shown at their row, its own rows while playing, commands written a
// byte at a time and several in one write, P and the arrow keys, the
// music's end, and the editor gone and back.
'use strict';
const net = require('net');
const { spawn, execFileSync } = require('child_process');
const fs = require('fs');

const [live, work] = process.argv.slice(2);
const server = net.createServer();
let demo, stderrText = '';

function fail(why) {
  console.error(`FAIL: ${why}\n--- the demo's stderr:\n${stderrText}`);
  if (demo) demo.kill('SIGKILL');
  process.exit(1);
}
const sleep = (ms) => new Promise((r) => setTimeout(r, ms));

// The top half's and bottom half's red, and the row shown.
function screen() {
  const text = execFileSync('import', ['-window', 'root', '-crop', '1x480+320+0', '+repage', '-depth', '8', 'txt:-']).toString();
  const at = (y) => {
    const m = text.split('\n').find((l) => l.startsWith(`0,${y}:`)).match(/\((\d+),(\d+),(\d+)/);
    return m.slice(1).map(Number);
  };
  const [r1, g, b] = at(10), [r2] = at(470);
  return { value: r1, other: r2, row: g + 256 * b };
}

// Waits up to `ms` for the screen to satisfy `want`; the time it took.
async function shows(want, ms, what) {
  const start = Date.now();
  let last;
  while (Date.now() - start < ms) {
    last = screen();
    if (want(last)) return Date.now() - start;
    await sleep(5);
  }
  fail(`${what}: the screen shows ${JSON.stringify(last)}`);
}

// The editor's side of one connection: what the demo sent, as it comes.
class Connection {
  constructor(socket) {
    this.socket = socket;
    this.data = Buffer.alloc(0);
    this.waiters = [];
    socket.on('data', (d) => {
      this.data = Buffer.concat([this.data, d]);
      this.waiters.splice(0).forEach((w) => w());
    });
    socket.on('error', () => {});
  }
  async take(n, ms = 5000) {
    const deadline = Date.now() + ms;
    while (this.data.length < n) {
      if (Date.now() > deadline) fail(`the demo sent ${this.data.length} of ${n} bytes awaited`);
      await new Promise((r) => { this.waiters.push(r); setTimeout(r, 50); });
    }
    const out = this.data.subarray(0, n);
    this.data = this.data.subarray(n);
    return out;
  }
  async getTrack() {
    const head = await this.take(5);
    if (head[0] !== 2) fail(`expected a get-track, got command ${head[0]}`);
    return (await this.take(head.readUInt32BE(1))).toString();
  }
  async setRow() {
    const c = await this.take(5);
    if (c[0] !== 3) fail(`expected a set-row, got command ${c[0]}`);
    return c.readUInt32BE(1);
  }
  send(buffer) { this.socket.write(buffer); }
}

function setKey(track, row, value, interpolation = 0) {
  const b = Buffer.alloc(14);
  b[0] = 0; b.writeUInt32BE(track, 1); b.writeUInt32BE(row, 5); b.writeFloatBE(value, 9); b[13] = interpolation;
  return b;
}
function deleteKey(track, row) {
  const b = Buffer.alloc(9);
  b[0] = 1; b.writeUInt32BE(track, 1); b.writeUInt32BE(row, 5);
  return b;
}
function setRow(row) {
  const b = Buffer.alloc(5);
  b[0] = 3; b.writeUInt32BE(row, 1);
  return b;
}
const pause = (on) => Buffer.from([4, on ? 1 : 0]);

// Accepts the demo's connection and answers its greeting as the editors
// do (then pause and the editor's row); checks the greeting's exact bytes
// and the tracks asked for, in the effect's order.
async function accept(ms) {
  const start = Date.now();
  const socket = await new Promise((resolve, reject) => {
    const timer = setTimeout(() => reject(new Error('timeout')), ms);
    server.once('connection', (s) => { clearTimeout(timer); resolve(s); });
  }).catch(() => fail(`the demo did not connect within ${ms} ms`));
  const c = new Connection(socket);
  const greeting = (await c.take(19)).toString('latin1');
  if (greeting !== 'hello, synctracker!') fail(`the greeting was ${JSON.stringify(greeting)}`);
  c.send(Buffer.concat([Buffer.from('hello, demo!'), pause(true), setRow(0)]));
  const names = [await c.getTrack(), await c.getTrack()];
  if (names.join() !== 'probe:value,probe:other') fail(`the tracks asked for: ${names}`);
  return { c, took: Date.now() - start };
}

async function main() {
  await new Promise((r) => server.listen(0, '127.0.0.1', r));
  const port = server.address().port;
  demo = spawn(live, [], { env: { ...process.env, FFX_SYNC: `127.0.0.1:${port}` } });
  demo.stderr.on('data', (d) => { stderrText += d; });
  demo.on('exit', (code) => fail(`the demo ended (${code})`));

  let { c } = await accept(10000);
  // The file's key (7) until the editor sends its own.
  await shows((s) => s.value === 7 && s.row === 0, 5000, "the file's key at row 0");

  // Keys: on the screen within a frame or so (the median of five).
  const times = [];
  for (const v of [100, 50, 200, 25, 150]) {
    c.send(setKey(0, 0, v));
    times.push(await shows((s) => s.value === v, 2000, `the key ${v}`));
  }
  const median = times.sort((a, b) => a - b)[2];
  console.log(`a key on the screen after ${times.join(' ')} ms (the screen read included); median ${median} ms`);

  // Paused, seeks show exactly their row; several in one write are one.
  c.send(Buffer.concat([setKey(1, 96, 60), setKey(1, 100, 90), setRow(100)]));
  await shows((s) => s.row === 100 && s.other === 90, 2000, 'row 100 with the key on it');
  c.send(Buffer.concat([setRow(10), setRow(20), setRow(99)]));
  await shows((s) => s.row === 99 && s.other === 60, 2000, 'row 99, the last of three seeks');
  await sleep(300);
  if (screen().row !== 99) fail('the clock ran on while paused');

  // Playing: the demo tells its rows, rising.
  c.send(pause(false));
  const rows = [];
  for (let i = 0; i < 10; ++i) rows.push(await c.setRow());
  for (let i = 1; i < rows.length; ++i)
    if (rows[i] <= rows[i - 1] || rows[i] > rows[i - 1] + 4) fail(`the demo's rows while playing: ${rows}`);
  if (rows[0] < 99 || rows[0] > 110) fail(`playing from row 99, the demo's first rows were ${rows}`);
  c.send(pause(true));
  await sleep(200);
  c.data = Buffer.alloc(0);

  // Every command a byte at a time.
  const slow = Buffer.concat([setKey(0, 500, 33), setRow(500), deleteKey(1, 96), setRow(98)]);
  for (const byte of slow) {
    c.send(Buffer.from([byte]));
    await sleep(3);
  }
  await shows((s) => s.row === 98 && s.value === 150 && s.other === 90, 2000,
    'row 98 after commands a byte at a time (key 96 deleted, 100 is first)');
  c.send(setRow(500));
  await shows((s) => s.row === 500 && s.value === 33, 2000, 'row 500 and its key');

  // The keys: the right arrow moves a second on (16 rows), and the editor
  // hears of it; P plays and pauses.
  c.data = Buffer.alloc(0);
  execFileSync('xdotool', ['key', 'Right']);
  await shows((s) => s.row === 516, 2000, 'a second on with the right arrow');
  if ((await c.setRow()) !== 516) fail('the editor was not told of the row the arrow key moved to');
  execFileSync('xdotool', ['key', 'p']);
  await shows((s) => s.row > 520, 2000, 'playing after P');
  execFileSync('xdotool', ['key', 'p']);
  await sleep(200);
  const held = screen().row;
  await sleep(300);
  if (screen().row !== held) fail('P did not pause');

  // Past the music's end (at 245.8 s, row 3933) the demo waits at its end.
  c.send(setRow(5000));
  await shows((s) => s.row === 3933, 3000, 'the music\'s end');
  c.send(pause(false));
  await sleep(500);
  if (screen().row !== 3933) fail('the demo did not wait at the music\'s end');

  // The editor gone: the demo runs on with its keys; then it comes back.
  c.send(Buffer.concat([pause(true), setRow(500)]));
  await shows((s) => s.row === 500, 2000, 'row 500 again');
  c.socket.destroy();
  await sleep(300);
  if (!/lost the sync editor/.test(stderrText)) fail('no word of the editor lost');
  if (screen().value !== 33) fail('the keys did not stay with the editor gone');
  const again = await accept(2500);
  console.log(`the editor back: the demo connected again within ${again.took} ms`);
  c = again.c;
  c.send(setKey(0, 500, 44));
  await shows((s) => s.value === 44, 2000, 'a key after the editor came back');
  if (median > 100) fail(`a key took ${median} ms to the screen (median of five)`);

  demo.removeAllListeners('exit');
  demo.kill('SIGTERM');
  console.log('the editor test passed');
  process.exit(0);
}
main();
