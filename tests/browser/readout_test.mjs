// The records in force at a cell, in headless Chromium: at three cells of
// the example the readout names, for the line speed, the gradient, the
// adhesion, the curve and the last speed board, the record that set it
// (FILE:LINE:COLUMN and its text), each found here from the line and train
// files themselves, and shows the values that record gives.
//
//   node readout_test.mjs SCENARIO_TOOL WORK_DIR SCREENSHOT_DIR
import { execFileSync } from 'node:child_process';
import { mkdirSync, readFileSync, rmSync } from 'node:fs';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { examplePage, launchChromium, openReadyPage } from './support.mjs';

const [tool, work, shots] = process.argv.slice(2);
const failures = [];
const expect = (ok, what) => { if (!ok) failures.push(what); };

rmSync(work, { recursive: true, force: true });
mkdirSync(shots, { recursive: true });
execFileSync(tool, ['export', work], { stdio: 'ignore' });
const lineFile = join(work, 'Tarvosa_linea.txt');
const trainFile = join(work, 'Tarvosa_Corvale-.txt');
const file = join(work, 'example.html');
execFileSync(tool, ['view', lineFile, trainFile, '-o', file], { stdio: 'ignore' });

// x / 50 rounded half to even, as the compiler places cells.
const roundHalfEven = (x) => {
  const q = Math.floor(x / 50), r = x - q * 50;
  return r > 25 || (r === 25 && q % 2 === 1) ? q + 1 : q;
};
// The records of `name` whose keyword holds `word`: line, column, text and numbers.
function records(name, word) {
  return readFileSync(name, 'latin1').split(/\r\n|\r|\n/).flatMap((text, i) => {
    const fields = text.split(',');
    const column = text.search(/\S/) + 1;
    if (fields.length < 2 || !fields[0].includes(word)) return [];
    return [{ where: `${name}:${i + 1}:${column}`, text, p: Number(fields[1]), n: Number(fields[2]),
      value: Number(fields.slice(2).join('.').trim()) }];
  });
}
// The record in force at cell `c`: the last one whose cell is at or before it.
const lastAt = (list, cellOf, c) => list.filter((r) => cellOf(r) <= c).pop();
const profileCell = (r) => roundHalfEven(r.p);
const expected = (c) => {
  const curve = lastAt(records(lineFile, 'curva'), (r) => roundHalfEven(r.p + 50), c);
  return {
    speed: lastAt(records(trainFile, 'velocit'), profileCell, c),
    gradient: lastAt(records(lineFile, 'pendenza'), profileCell, c),
    adhesion: lastAt(records(trainFile, 'aderenza'), profileCell, c),
    curve: curve && c < roundHalfEven(curve.p + curve.n + 50) ? curve : undefined,
    board: lastAt(records(lineFile, 'indicatori_v'), (r) => roundHalfEven(r.p + 50), c),
  };
};

const browser = await launchChromium();
try {
  const problems = [];
  const page = await openReadyPage(browser, file, problems);
  let curves = 0;
  for (const at of ['1.400', '30.000', '160.250']) {
    await page.evaluate((k) => { location.hash = '#km=' + k; }, at);
    await page.waitForFunction((k) => document.getElementById('readout').textContent.includes('km ' + k), at);
    const shown = await page.evaluate(() => {
      const readout = document.getElementById('readout');
      const box = readout.getBoundingClientRect();
      const entries = {};
      readout.querySelectorAll('.in-force-entry').forEach((e) => {
        const r = e.getBoundingClientRect();
        entries[e.dataset.kind] = {
          label: e.querySelector('.in-force-kind').textContent,
          where: e.querySelector('.in-force-where').textContent,
          record: e.querySelector('.in-force-record').textContent,
          inside: r.height > 0 && r.left >= box.left - 1 && r.right <= box.right + 1,
        };
      });
      return { entries, text: readout.textContent };
    });
    const c = Math.round(Number(at) * 20) + 1;
    const want = expected(c);
    for (const [kind, record] of Object.entries(want)) {
      const got = shown.entries[kind];
      if (!record) {
        expect(!got, `at km ${at} no ${kind} is in force, but the readout names ${JSON.stringify(got)}`);
        continue;
      }
      expect(got && got.where === record.where && got.record === record.text && got.inside,
        `at km ${at} (cell ${c}) the ${kind} should come from ${record.where} "${record.text}", ` +
        `the readout shows ${JSON.stringify(got)}`);
    }
    if (want.curve) curves++;
    const speeds = want.board.text.split(',').slice(2, 5).map((f) => Number(f)).join('/');
    const board = shown.entries.board;
    expect(board && board.label.includes(speeds + ' km/h'),
      `at km ${at} the last speed board gives ${speeds} km/h: ${JSON.stringify(board)}`);
    expect(shown.text.includes(`line speed ${want.speed.value} km/h`),
      `at km ${at} the line speed should be ${want.speed.value} km/h: ${shown.text}`);
    expect(shown.text.includes(`adhesion ${want.adhesion.value}`),
      `at km ${at} the adhesion should be ${want.adhesion.value}: ${shown.text}`);
  }
  expect(curves > 0, 'one of the cells looked at lies in a curve');
  await page.screenshot({ path: join(shots, 'readout.png') });
  expect(problems.length === 0, `the page raised: ${problems.join('; ')}`);
} finally {
  await browser.close();
}
if (failures.length) {
  console.error(failures.join('\n'));
  process.exit(1);
}
console.log('the readout names the records in force');
