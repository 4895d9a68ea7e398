// Going to a place in the view, in headless Chromium: a station's row, a
// message's link and `#km=` each land on the exact cell, show it on every
// chart and on the plan, say in the readout what is there with its record's
// progressive and place in its file, and bring the plan into sight.
//
//   node navigation_test.mjs SCENARIO_TOOL WORK_DIR SCREENSHOT_DIR
import { execFileSync } from 'node:child_process';
import { mkdirSync, readFileSync, rmSync } from 'node:fs';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { chromium } from 'playwright-core';

const [tool, work, shots] = process.argv.slice(2);
const failures = [];
const expect = (ok, what) => { if (!ok) failures.push(what); };

function prepare() {
  rmSync(work, { recursive: true, force: true });
  mkdirSync(shots, { recursive: true });
  execFileSync(tool, ['export', work], { stdio: 'ignore' });
  const page = join(work, 'example.html');
  execFileSync(tool, ['view', join(work, 'Tarvosa_linea.txt'), join(work, 'Tarvosa_Corvale-.txt'),
    '-o', page], { stdio: 'ignore' });
  // Each station record of the train file: its name, progressive, and the
  // line and column of its progressive.
  const records = readFileSync(join(work, 'Tarvosa_Corvale-.txt'), 'latin1').split(/\r?\n/)
    .map((text, i) => ({ text, line: i + 1 }))
    .filter((r) => /^stazione,/.test(r.text))
    .map((r) => {
      const column = r.text.search(/[0-9-]/) + 1;
      return { line: r.line, column, progressive: parseInt(r.text.slice(column - 1), 10),
        name: r.text.split(',').pop().trim() };
    });
  return { page, records };
}

const cellOf = (metres) => Math.round(metres / 50) + 1;  // every place here is a multiple of 50
const heading = (metres) => `km ${(metres / 1000).toFixed(3)} \u2014 cell ${cellOf(metres)}`;

// Where the page shows cell `cell` after a move: the charts' ranges and
// cursors, the plan's ring, and the plan's place in the window.
async function shown(page) {
  await page.evaluate(() => new Promise((r) => requestAnimationFrame(() => r())));
  return page.evaluate(() => {
    const v = window.scenarioView;
    const plan = document.getElementById('plan').getBoundingClientRect();
    const at = v.state.cell == null ? null : v.planPoint(v.state.cell);
    return {
      cell: v.state.cell + 1,
      charts: v.charts.map((u) => ({ min: u.scales.x.min, max: u.scales.x.max,
        cursor: u.cursor.left, want: u.valToPos(v.state.cell / 20, 'x') })),
      ring: at && at[0] >= 0 && at[1] >= 0 && at[0] <= plan.width && at[1] <= plan.height,
      planTop: plan.top, height: innerHeight,
      readout: document.getElementById('readout').textContent,
    };
  });
}

function expectShown(what, s, metres) {
  const at = metres / 1000;
  expect(s.readout.includes(heading(metres)), `${what}: the readout does not say '${heading(metres)}': ${s.readout}`);
  expect(s.cell === cellOf(metres), `${what}: the page holds cell ${s.cell}, not ${cellOf(metres)}`);
  s.charts.forEach((c, i) => {
    expect(c.min <= at && at <= c.max, `${what}: chart ${i} shows km ${c.min} to ${c.max}`);
    expect(Math.abs(c.cursor - c.want) < 1.5, `${what}: chart ${i}'s cursor is at ${c.cursor} px, not ${c.want}`);
  });
  expect(s.ring, `${what}: the plan does not show the cell`);
  expect(s.planTop >= -1 && s.planTop < s.height / 2, `${what}: the plan is at ${s.planTop} px of a ${s.height} px window`);
}

async function stations(page, records) {
  const rows = await page.$$('#stations tbody tr');
  const names = await page.$$eval('#stations tbody tr td:first-child', (t) => t.map((e) => e.textContent));
  // Spread along the line, Formia-Gaeta among them.
  const picked = [0, 5, names.indexOf('Formia-Gaeta'), 15, 20, 25, names.length - 1];
  for (const i of picked) {
    const record = records.find((r) => r.name === names[i]);
    await page.evaluate(() => window.scrollTo(0, document.body.scrollHeight));
    await rows[i].click();
    const s = await shown(page);
    const what = `the row of ${names[i]}`;
    expectShown(what, s, record.progressive);
    for (const words of [`station ${names[i]}`, `progressive ${record.progressive} m`,
      `Tarvosa_Corvale-.txt:${record.line}:${record.column}`]) {
      expect(s.readout.includes(words), `${what}: the readout lacks '${words}': ${s.readout}`);
    }
  }
}

async function messages(page) {
  const links = await page.$$('#messages a[href^="#km="]');
  expect(links.length === 5, `${links.length} messages link to the line, not 5`);
  for (const link of links) {
    const item = await link.evaluateHandle((a) => a.closest('li'));
    const where = await item.evaluate((li) => li.querySelector('.where').textContent.replace(/: $/, ''));
    const text = await item.evaluate((li) => li.textContent);
    const metres = Math.round(Number((await link.getAttribute('href')).slice(4)) * 1000);
    await page.evaluate(() => window.scrollTo(0, document.body.scrollHeight));
    await link.click();
    const s = await shown(page);
    // A record that took a cell names it; the others land where their progressive is.
    const took = /takes cell ([0-9]+)/.exec(text);
    const cell = took ? Number(took[1]) : cellOf(metres);
    expectShown(`the link of ${where}`, s, (cell - 1) * 50);
    for (const words of [`progressive ${metres} m`, where]) {
      expect(s.readout.includes(words), `the link of ${where}: the readout lacks '${words}': ${s.readout}`);
    }
  }
}

const browser = await chromium.launch({
  executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync'],
});
try {
  const { page: file, records } = prepare();
  const url = pathToFileURL(file).href;
  const page = await browser.newPage({ viewport: { width: 1400, height: 900 } });
  const problems = [];
  page.on('pageerror', (e) => problems.push(String(e)));
  await page.goto(url);
  await page.waitForSelector('body[data-ready="true"]');
  await stations(page, records);
  await messages(page);
  await page.screenshot({ path: join(shots, 'navigation-message.png') });
  // An address with #km= and a hash changed on an open page.
  await page.goto(url + '#km=79.9');
  await page.waitForSelector('body[data-ready="true"]');
  expectShown('#km=79.9', await shown(page), 79900);
  await page.evaluate(() => { location.hash = '#km=137.4'; });
  await page.waitForFunction(() => window.scenarioView.state.cell === 2748).catch(() => {});
  expectShown('#km=137.4', await shown(page), 137400);
  expect(problems.length === 0, `the page reported ${problems.join('; ')}`);
  await page.close();
} finally {
  await browser.close();
}
if (failures.length) {
  console.error(failures.join('\n'));
  process.exit(1);
}
console.log('stations, messages and #km= land on their cells; screenshots in ' + shots);
