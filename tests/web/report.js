// report.js WEBDIR PAGE WORKDIR -- serves the build's folder on the loopback
// address to a browser that no driver controls, PAGE with a script that
// reports to WORKDIR/page, a line each: "start" once the start screen
// shows, "error TEXT" for the console's errors, "ended CODE" once the
// program has ended. Prints the page's address.
'use strict';
const fs = require('fs');
const http = require('http');
const path = require('path');

const [webDir, pageFile, work] = process.argv.slice(2);
const log = path.join(work, 'page');
fs.writeFileSync(log, '');

function reporter() {
  const send = line => navigator.sendBeacon('/', line);
  const error = console.error;
  console.error = (...args) => (send(`error ${args.join(' ')}`), error.apply(console, args));
  addEventListener('error', e => send(`error ${e.message}`));
  let started = false;
  const watch = setInterval(() => {
    if (!started && document.getElementById('start')) started = send('start');
    if (window.ffxExitCode !== undefined) send(`ended ${window.ffxExitCode}`), clearInterval(watch);
  }, 50);
}

http.createServer((req, res) => {
  if (req.method === 'POST') {
    let body = '';
    req.on('data', chunk => body += chunk);
    req.on('end', () => res.end(fs.appendFileSync(log, body.replace(/\n/g, ' ') + '\n')));
    return;
  }
  const name = decodeURIComponent(new URL(req.url, 'http://x').pathname).slice(1) || pageFile;
  const file = path.join(webDir, path.normalize(name));
  fs.readFile(file, 'latin1', (error, data) => {
    if (error || !file.startsWith(webDir)) return res.writeHead(404), res.end();
    if (name === pageFile) data = data.replace('<script', `<script>(${reporter})();</script>\n<script`);
    res.writeHead(200, {'Content-Type': name.endsWith('.html') ? 'text/html' : 'text/javascript'});
    res.end(data, 'latin1');
  });
}).listen(0, '127.0.0.1', function() {
  console.log(`http://127.0.0.1:${this.address().port}/`);
});
