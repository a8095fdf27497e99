// The web page's size, and how soon after opening its file in Chromium the
// first calculation can run: the median of several openings, each in a new
// tab of one headless Debian Chromium, beside a bare page opened in turn in
// the same run, so that the ratio holds however loaded the machine is.
//
//   node bench/web_startup.mjs build-web/web [RUNS]
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import zlib from 'node:zlib';

import { launchChromium } from '../tests/web/chromium.mjs';

const pageDir = process.argv[2];
const runs = Number(process.argv[3] || 15);
if (!pageDir || !fs.existsSync(path.join(pageDir, 'index.html'))) {
    console.error('usage: node bench/web_startup.mjs PAGE_DIR [RUNS]');
    process.exit(2);
}

let bytes = 0;
let gzipped = 0;
for (const name of fs.readdirSync(pageDir)) {
    const content = fs.readFileSync(path.join(pageDir, name));
    if (name === 'orsela.html') { // the same page as one file: not counted twice
        console.log(`${name.padEnd(12)} ${(content.length / 1024).toFixed(1).padStart(7)} KiB (the page as one file)`);
        continue;
    }
    bytes += content.length;
    gzipped += zlib.gzipSync(content, { level: 9 }).length;
    console.log(`${name.padEnd(12)} ${(content.length / 1024).toFixed(1).padStart(7)} KiB`);
}
console.log(`${'the page'.padEnd(12)} ${(bytes / 1024).toFixed(1).padStart(7)} KiB ` +
    `(${(gzipped / 1024).toFixed(1)} KiB gzipped, as a web server may send it)`);

const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'orsela-web-bench-'));
const browser = await launchChromium(profile);
const url = pathToFileURL(path.resolve(pageDir, 'index.html')).href;
// A page with nothing in it, ready at its load event.
const barePath = path.join(profile, 'bare.html');
fs.writeFileSync(barePath, '<!DOCTYPE html><html lang="zh-CN"><meta charset="utf-8"><title>bare</title>' +
    '<script>addEventListener("load", () => { window.bareReadyAt = performance.now(); ' +
    'document.documentElement.dataset.ready = "true"; });</script><p>空白页</p></html>');
const ready = [];
const bare = [];
const calculated = [];
try {
    for (let i = 0; i < runs; ++i) {
        const empty = await browser.newPage();
        await empty.goto(pathToFileURL(barePath).href);
        await empty.waitForFunction(() => document.documentElement.dataset.ready === 'true');
        bare.push(await empty.evaluate(() => window.bareReadyAt));
        await empty.close();
        const page = await browser.newPage();
        await page.goto(url);
        await page.waitForFunction(() => document.documentElement.dataset.ready === 'true');
        // Times since the navigation started (performance.now() counts from it).
        ready.push(await page.evaluate(() => window.orselaReadyAt));
        // One Calculate of the sample design, from the click to the results.
        calculated.push(await page.evaluate(() => new Promise((resolve) => {
            const start = performance.now();
            document.getElementById('Command1').click();
            const done = () => (window.orselaSettled() &&
                document.getElementById('Text20').value !== '0'
                ? resolve(performance.now() - start)
                : setTimeout(done, 0));
            done();
        })));
        await page.close();
    }
} finally {
    await browser.close();
    fs.rmSync(profile, { recursive: true, force: true });
}

const median = (list) => [...list].sort((a, b) => a - b)[Math.floor(list.length / 2)];
const ms = (value) => `${value.toFixed(0)} ms`;
console.log(`ready for Calculate: median ${ms(median(ready))}, first ${ms(ready[0])}, ` +
    `slowest ${ms(Math.max(...ready))} (${runs} openings)`);
console.log(`a bare page, opened in turn: median ${median(bare).toFixed(1)} ms; the page takes ` +
    `${(median(ready) / median(bare)).toFixed(1)} times as long`);
console.log(`Calculate, click to results: median ${median(calculated).toFixed(1)} ms, ` +
    `slowest ${Math.max(...calculated).toFixed(1)} ms`);
