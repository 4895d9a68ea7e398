// What the browser tests share: the example made into a page, Chromium
// started, and a page opened with its script errors collected.
import { execFileSync } from 'node:child_process';
import { mkdirSync, rmSync } from 'node:fs';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';
import { chromium } from 'playwright-core';

// The example exported into `work` and made into `work/example.html`.
export function examplePage(tool, work, shots) {
  rmSync(work, { recursive: true, force: true });
  mkdirSync(shots, { recursive: true });
  execFileSync(tool, ['export', work], { stdio: 'ignore' });
  const file = join(work, 'example.html');
  execFileSync(tool, ['view', join(work, 'Tarvosa_linea.txt'), join(work, 'Tarvosa_Corvale-.txt'), '-o', file],
    { stdio: 'ignore' });
  return file;
}

export function launchChromium() {
  return chromium.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    args: ['--no-sandbox', '--disable-gpu', '--no-first-run', '--disable-background-networking'],
  });
}

// `file` opened at 1400 × 900 once its page says it is ready; `problems`
// gathers the errors its script throws.
export async function openReadyPage(browser, file, problems) {
  const page = await browser.newPage({ viewport: { width: 1400, height: 900 } });
  page.on('pageerror', (e) => problems.push(String(e)));
  await page.goto(pathToFileURL(file).href);
  await page.waitForSelector('body[data-ready="true"]');
  return page;
}
