// The workbench's speed in headless Debian Chromium, against its goals: the
// checks judged again after an option changes (16 ms), the search for the
// sample spring's own requirements (1 s) and a batch of 100,000 designs
// (10 s), each in the page's Web Worker as the tabs run them. Beside each,
// the same work by orsela-cli on this machine as the baseline.
//
//   node bench/web_workbench.mjs build-web/web build/cli/orsela-cli
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { pathToFileURL } from 'node:url';

import { launchChromium } from '../tests/web/chromium.mjs';

const [pageDir, cli] = process.argv.slice(2);
if (!pageDir || !fs.existsSync(path.join(pageDir, 'index.html')) || !cli) {
    console.error('usage: node bench/web_workbench.mjs PAGE_DIR ORSELA_CLI');
    process.exit(2);
}

const kSearch = {
    material: '65Mn', load1: '92.128', height1: '40', load2: '184.257', height2: '36',
    load3: '368.513', height3: '28', density: '7.85', top: '10',
};
const kRows = 100000;
const table = ['wire-diameter,mean-diameter,active-coils,check'];
for (let i = 0; i < kRows; ++i) {
    table.push(`${(3 + (i % 20) * 0.1).toFixed(1)},${(20 + (i % 97) * 0.1).toFixed(1)},5,1`);
}
const csv = table.join('\n') + '\n';

function cliSeconds(args, input) {
    const start = process.hrtime.bigint();
    spawnSync(cli, args, { input, encoding: 'utf8', maxBuffer: 1 << 30 });
    return Number(process.hrtime.bigint() - start) / 1e9;
}

const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'orsela-workbench-bench-'));
const browser = await launchChromium(profile);
try {
    const page = await browser.newPage();
    await page.goto(pathToFileURL(path.resolve(pageDir, 'index.html')).href);
    await page.waitForFunction(() => document.documentElement.dataset.ready === 'true');
    await page.evaluate(() => window.orsela.ready);

    const judged = await page.evaluate(() => {
        const times = [];
        for (let i = 0; i < 50; ++i) {
            const start = performance.now();
            window.orsela.judge({ check: true, 'load-cycles': String(1e5 + i * 1000) });
            times.push(performance.now() - start);
        }
        return times.sort((a, b) => a - b)[25];
    });
    console.log(`checks judged again: median ${judged.toFixed(1)} ms (goal 16 ms)`);

    const search = await page.evaluate(async (options) => {
        await window.orsela.search({ material: '65Mn', 'wire-diameters': '4', load1: '92.128',
            height1: '40', load2: '184.257', height2: '36', top: '1' }); // the worker started
        const start = performance.now();
        await window.orsela.search(options);
        return (performance.now() - start) / 1000;
    }, kSearch);
    const searchArgs = ['search', '--format=json'];
    for (const [name, value] of Object.entries(kSearch)) {
        searchArgs.push(`--${name}=${value}`);
    }
    const cliSearch = cliSeconds(searchArgs);
    console.log(`search, the sample's requirements: ${search.toFixed(2)} s in the page ` +
        `(goal 1 s); orsela-cli ${cliSearch.toFixed(2)} s on every core, ` +
        `${(search / cliSearch).toFixed(1)}×`);

    const batch = await page.evaluate(async (text) => {
        const start = performance.now();
        await window.orsela.batch(text, {});
        return (performance.now() - start) / 1000;
    }, csv);
    const cliBatch = cliSeconds(['batch'], csv);
    console.log(`batch of ${kRows} checked designs: ${batch.toFixed(2)} s in the page ` +
        `(goal 10 s); orsela-cli ${cliBatch.toFixed(2)} s on every core, ` +
        `${(batch / cliBatch).toFixed(1)}×`);
} finally {
    await browser.close();
    fs.rmSync(profile, { recursive: true, force: true });
}
