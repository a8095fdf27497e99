// One picture per workbench tab, for the README: the page opened from its
// file in Debian's headless Chromium, the sample design calculated and checked
// for 10⁶ load cycles, a search run, each tab saved as docs/workbench-<tab>.png;
// then 扭转弹簧 with a design typed into its panel, as docs/workbench-torsion.png.
//
//   node scripts/take-web-screenshots.mjs [build-web/web] [docs]
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { pathToFileURL } from 'node:url';

import { launchChromium } from '../tests/web/chromium.mjs';

const pageDir = path.resolve(process.argv[2] || 'build-web/web');
const outDir = path.resolve(process.argv[3] || 'docs');
if (!fs.existsSync(path.join(pageDir, 'workbench.js'))) {
    console.error('usage: node scripts/take-web-screenshots.mjs PAGE_DIR [OUT_DIR] (make web first)');
    process.exit(2);
}
const kTabs = ['material', 'checks', 'charts', 'search', 'batch', 'files'];
const kWait = { timeout: 30000 };

const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'orsela-screenshots-'));
const browser = await launchChromium(profile);
try {
    const page = await browser.newPage();
    await page.setViewport({ width: 1280, height: 900 });
    page.on('request', (request) => {
        if (!/^(file|data|blob):/.test(request.url())) {
            throw new Error('the page asked the network for ' + request.url());
        }
    });
    await page.goto(pathToFileURL(path.join(pageDir, 'index.html')).href);
    await page.waitForFunction(() => document.getElementById('workbench')?.dataset.ready === 'true', kWait);
    await page.click('#Command1');
    await page.waitForFunction(() => window.orselaWindow.lastCompleted() !== null, kWait);
    await page.click('#wb-tab-checks');
    await page.type('#wb-panel-checks [data-option="load-cycles"]', '1e6');
    await page.click('#wb-tab-search');
    const requirements = { load1: '92.128', height1: '40', load2: '184.257', height2: '36', material: '65Mn',
        load3: '368.513', height3: '28', density: '7.85', top: '5' };
    // The optional fields' groups opened, as a user opens them.
    await page.$$eval('#wb-panel-search details', (groups) => groups.forEach((g) => { g.open = true; }));
    for (const [key, value] of Object.entries(requirements)) {
        await page.type(`#wb-panel-search [data-option="${key}"]`, value);
    }
    await page.click('#wb-search-run');
    await page.waitForFunction(() => document.querySelector('#wb-panel-search tbody tr'), kWait);
    for (const tab of kTabs) {
        await page.click('#wb-tab-' + tab);
        await new Promise((resolve) => setTimeout(resolve, 200));
        const file = path.join(outDir, `workbench-${tab}.png`);
        await page.screenshot({ path: file, fullPage: true });
        console.log(file);
    }
    await page.click('#wb-tab-checks');
    await page.click('#wb-kind-torsion');
    await page.waitForFunction(() => !document.getElementById('wb-torsion').hidden, kWait);
    const torsion = { material: '65Mn', 'wire-diameter': '2.5', 'mean-diameter': '18', 'active-coils': '7',
        'leg-length1': '30', 'leg-length2': '20', 'working-angle1': '40', 'working-angle2': '70',
        'arbor-diameter': '12' };
    for (const [key, value] of Object.entries(torsion)) {
        const field = `#wb-torsion [data-option="${key}"]`;
        await page.$eval(field, (e) => { if ('value' in e && e.tagName !== 'SELECT') e.value = ''; });
        if (await page.$eval(field, (e) => e.tagName === 'SELECT')) {
            await page.select(field, value);
        } else {
            await page.type(field, value);
        }
    }
    await page.waitForFunction(() => document.querySelectorAll('#wb-torsion-results tr[data-result]').length > 0,
        kWait);
    const file = path.join(outDir, 'workbench-torsion.png');
    await page.screenshot({ path: file, fullPage: true });
    console.log(file);
} finally {
    await browser.close();
    fs.rmSync(profile, { recursive: true, force: true });
}
