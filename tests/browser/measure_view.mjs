// How a scenario view loads and answers in headless Chromium: the page's
// size, the time to its first paint and until its scripts have drawn
// everything, and the script time a hover over the plan and a wheel notch
// on it cost (each until the next frame is drawn). A measurement, not a test:
//
//   node measure_view.mjs PAGE.html [RUNS]
import { statSync } from 'node:fs';
import { chromium } from 'playwright-core';

const [page, runs = '5'] = process.argv.slice(2);
const browser = await chromium.launch({
  executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
  args: ['--no-sandbox', '--disable-gpu', '--disable-background-networking', '--no-first-run'],
});
const median = (values) => values.sort((a, b) => a - b)[Math.floor(values.length / 2)];
const frame = (tab) => tab.evaluate(() => new Promise((r) => requestAnimationFrame(() => setTimeout(r, 0))));

// The script time, in ms, each of `actions` cost up to the frame after it.
async function scriptTimes(tab, actions) {
  const cdp = await tab.context().newCDPSession(tab);
  await cdp.send('Performance.enable');
  const script = async () => (await cdp.send('Performance.getMetrics')).metrics
    .find((m) => m.name === 'ScriptDuration').value * 1000;
  const times = [];
  for (const act of actions) {
    await frame(tab);
    const before = await script();
    await act();
    await frame(tab);
    times.push((await script()) - before);
  }
  await cdp.detach();
  return times;
}

// Twenty hovers along the drawn line, then twenty notches at the plan's middle.
async function interaction(tab) {
  const points = await tab.evaluate(() => {
    const v = window.scenarioView, r = document.getElementById('plan').getBoundingClientRect();
    const n = v.state.range[1] * 20;
    return Array.from({ length: 20 }, (_, k) => v.planPoint(Math.floor((k + 0.5) * n / 20)))
      .map(([x, y]) => [r.left + x, r.top + y]);
  });
  const hovers = await scriptTimes(tab, points.map(([x, y]) => () => tab.mouse.move(x, y)));
  const box = await tab.$eval('#plan', (p) => { const r = p.getBoundingClientRect(); return [r.left + r.width / 2, r.top + r.height / 2]; });
  await tab.mouse.move(box[0], box[1]);
  const wheels = await scriptTimes(tab, Array.from({ length: 20 }, (_, k) =>
    () => tab.mouse.wheel(0, k % 4 < 2 ? -100 : 100)));
  return { hover: median(hovers), wheel: median(wheels) };
}

const paints = [], ready = [], hovers = [], wheels = [];
for (let run = 0; run < Number(runs); run++) {
  const tab = await browser.newPage({ viewport: { width: 1400, height: 1000 } });
  const start = Date.now();
  await tab.goto('file://' + page);
  await tab.waitForSelector('body[data-ready="true"]', { timeout: 120000 });
  ready.push(Date.now() - start);
  paints.push(await tab.evaluate(() =>
    performance.getEntriesByName('first-contentful-paint')[0]?.startTime ?? NaN));
  if (run === 0) {
    const { hover, wheel } = await interaction(tab);
    hovers.push(hover), wheels.push(wheel);
  }
  await tab.close();
}
await browser.close();
console.log(`${page}: ${(statSync(page).size / 1e6).toFixed(2)} MB, first paint ${median(paints).toFixed(0)} ms, ` +
  `drawn ${median(ready)} ms (medians of ${runs}); script time of a hover ${hovers[0].toFixed(1)} ms, ` +
  `of a wheel notch ${wheels[0].toFixed(1)} ms (medians of 20)`);
