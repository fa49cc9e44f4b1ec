// render-copy.mjs -- FFX_Render against one frame copy, both in WebAssembly
// (ffxwebbench.js), timed by tinybench in the same run, several rounds;
// prints each round's means, the median ratio and the target (at most 1.5).
// Usage: node render-copy.mjs FFXWEBBENCH.js [ROUNDS]
import {createRequire} from 'module';
import {Bench} from 'tinybench';

const require = createRequire(import.meta.url);
const module = await require(process.argv[2])();
const rounds = Number(process.argv[3] || 5);
module._bench_setup();

const ratios = [];
for (let round = 1; round <= rounds; ++round) {
  const bench = new Bench({time: 1000, warmupTime: 200});
  // Alternating which runs first.
  const tasks = [['FFX_Render', () => module._bench_render()], ['frame copy', () => module._bench_copy()]];
  for (const [name, fn] of round % 2 ? tasks : tasks.reverse()) bench.add(name, fn);
  await bench.run();
  const mean = name => bench.getTask(name).result.latency.mean;
  ratios.push(mean('FFX_Render') / mean('frame copy'));
  console.log(`round ${round}: FFX_Render ${mean('FFX_Render').toFixed(4)} ms, ` +
              `frame copy ${mean('frame copy').toFixed(4)} ms, ratio ${ratios.at(-1).toFixed(3)}`);
}
ratios.sort((a, b) => a - b);
console.log(`median ratio FFX_Render / frame copy: ${ratios[rounds >> 1].toFixed(3)} (target <= 1.5)`);
