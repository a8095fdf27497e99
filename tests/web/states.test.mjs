// The states the page shows, in Debian's headless Chromium: the window's
// switches after each way the workbench fills a design, the stored state of
// any shape, the check options and the certificate's Rm kept where they
// belong, a refused batch leaving nothing behind, and the phone's layout.
//
// ORSELA_WEB_DIR: the built page (build-web/web); ORSELA_CLI: orsela-cli.
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { pathToFileURL } from 'node:url';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { after, before, describe, test } from 'node:test';

import { builtPage, settled } from './built_page.mjs';
import { launchChromium } from './chromium.mjs';

const { cli, pageDir, pageUrl } = builtPage();
const kStoreKey = 'orsela.workbench/1';
const kKeptDesign = 'orsela.window.design';

let browser;
let page;
let work;
let downloads;
const pageErrors = [];

before(async () => {
    work = fs.mkdtempSync(path.join(os.tmpdir(), 'orsela-states-test-'));
    downloads = path.join(work, 'downloads');
    browser = await launchChromium(path.join(work, 'profile'));
    page = await browser.newPage();
    page.setDefaultTimeout(20000);
    await page.setViewport({ width: 1400, height: 900 });
    page.on('pageerror', (error) => pageErrors.push(String(error)));
    page.on('dialog', (dialog) => {
        pageErrors.push('dialog: ' + dialog.message());
        dialog.dismiss();
    });
    const session = await page.createCDPSession();
    await session.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: downloads });
});

after(async () => {
    await browser?.close();
    fs.rmSync(work, { recursive: true, force: true });
});

function run(args) {
    const done = spawnSync(cli, args, { cwd: work, encoding: 'buffer', timeout: 60000 });
    assert.equal(done.error, undefined, String(done.error));
    return { status: done.status, out: done.stdout, err: done.stderr.toString('utf8') };
}

// The page with the given stored texts (null: nothing stored).
async function open(stored = {}) {
    await page.goto(pageUrl);
    await ready(); // the workbench stores its state once it starts
    await page.evaluate((kept) => {
        localStorage.clear();
        for (const [key, text] of Object.entries(kept)) {
            localStorage.setItem(key, text);
        }
    }, stored);
    await page.reload();
    await ready();
}

async function ready() {
    await page.waitForFunction(() => document.getElementById('workbench')?.dataset.ready === 'true');
}

async function tab(id) {
    await page.click('#wb-tab-' + id);
    await page.waitForFunction((i) => !document.getElementById('wb-panel-' + i).hidden, {}, id);
}

const option = (panel, key) => `#wb-panel-${panel} [data-option="${key}"]`;

async function wbType(selector, text) {
    await page.focus(selector);
    await page.$eval(selector, (e) => e.select());
    await page.keyboard.press('Backspace');
    if (text !== '') {
        await page.keyboard.type(text);
    }
}

async function upload(selector, name, content) {
    const file = path.join(work, name);
    fs.writeFileSync(file, content);
    await (await page.$(selector)).uploadFile(file);
}

async function downloaded(name) {
    fs.rmSync(downloads, { recursive: true, force: true });
    await page.click('#wb-batch-save');
    const file = path.join(downloads, name);
    for (let waited = 0; waited < 20000; waited += 50) {
        if (fs.existsSync(file) && !fs.existsSync(file + '.crdownload') && fs.statSync(file).size > 0) {
            return fs.readFileSync(file);
        }
        await new Promise((resolve) => setTimeout(resolve, 50));
    }
    return assert.fail('no download of ' + name);
}

async function statusOf(panel, kind) {
    await page.waitForFunction((p, k) => {
        const s = document.querySelector(`#wb-panel-${p} .wb-status[data-kind]`);
        return s && s.textContent !== '' && (!k || s.dataset.kind === k);
    }, {}, panel, kind);
    return page.$eval(`#wb-panel-${panel} .wb-status[data-kind]`, (e) => e.textContent);
}

// The four option buttons as shown, beside the model's own, and whether the
// initial tension (an extension spring's) can be typed.
async function switches() {
    await settled(page);
    return page.evaluate(() => {
        const names = ['Option1', 'Option2', 'Option3', 'Option4'];
        return {
            shown: names.map((n) => document.getElementById(n).checked),
            model: names.map((n) => window.orselaForm.state(n).selected),
            tension: !document.getElementById('Text24').disabled,
        };
    });
}

async function expectSwitches(extension, knownLoads) {
    const expected = [!extension, extension, !knownLoads, knownLoads];
    assert.deepEqual(await switches(), { shown: expected, model: expected, tension: extension });
}

const kExtensionFile = JSON.stringify({ format: 'orsela-design/1', extension: true, 'known-loads': true,
    'initial-tension': '50', 'working-load1': '100', 'working-load2': '200', 'working-load3': '300' });

// Each way of filling the window, from the extension spring by loads unless
// the way fills exactly that.
const kFillings = [
    {
        name: 'orselaWindow.setSwitches',
        to: [true, true],
        fill: () => page.evaluate(() => orselaWindow.setSwitches({ extension: true, knownLoads: true })),
    },
    {
        name: '打开设计文件',
        to: [true, true],
        fill: async () => {
            await tab('files');
            await upload('#wb-design-file', 'extension.json', kExtensionFile);
            await statusOf('files', 'ok');
        },
    },
    {
        name: '恢复上次的设计',
        stored: { [kKeptDesign]: kExtensionFile },
        to: [true, true],
        fill: () => page.click('#restore button'),
    },
    {
        name: '载入 from a compression search by heights',
        from: [true, true],
        to: [false, false],
        fill: async () => {
            await tab('search');
            const options = { load1: '92.128', height1: '40', load2: '184.257', height2: '36',
                material: '65Mn', top: '2' };
            await page.$$eval('#wb-panel-search details', (ds) => ds.forEach((d) => { d.open = true; }));
            for (const [key, value] of Object.entries(options)) {
                await wbType(option('search', key), value);
            }
            await page.click('#wb-search-run');
            await page.waitForSelector('#wb-panel-search tbody tr .wb-actions button', { timeout: 60000 });
            await page.click('#wb-panel-search tbody tr .wb-actions button');
            await page.waitForFunction(() => /已载入/.test(document.getElementById('wb-search-loaded').textContent));
        },
    },
];

describe('the option buttons show the design the window holds', () => {
    for (const f of kFillings) {
        test(f.name, async () => {
            await open(f.stored || {});
            if (f.from) {
                await page.click('#Option2');
                await page.click('#Option4');
                await expectSwitches(...f.from);
            }
            await f.fill();
            await expectSwitches(...f.to);
            // The button that looks unselected is the one a click changes.
            await page.click(f.to[0] ? '#Option1' : '#Option2');
            await expectSwitches(!f.to[0], f.to[1]);
        });
    }
});

describe('a stored workbench state of any shape', () => {
    const kStates = [
        { text: '{"checks":null}', note: /校核选项/ },
        { text: '{"tab":"__proto__"}', note: /标签页/ },
        { text: '{"tab":"constructor","search":{"__proto__":{"load1":"1"},"top":5}}', note: /搜索选项/ },
        { text: '[1,2]', note: /全部/ },
        { text: 'not json {', note: /全部/ },
        { text: '{"batch":{"bom":"yes","format":"xml"},"files":{"titleBlock":7,"precisionGrade":"9"}}',
            note: /批量计算选项.*文件与报告.*标题栏/ },
        { text: '{"material":{"loadType":"sometimes"},"certificates":[1],"userMaterials":{}}',
            note: /材料页.*质保书 Rm.*自有牌号/ },
        { text: '{"checks":{"tensile-strength":"1700","load-cycles":"1e6"}}', note: /未注明牌号/,
            kept: { checks: { 'load-cycles': '1e6' } } },
        { text: '{"kind":"spiral","torsion":{"known-torques":"yes","wire-diameter":"2"},"torsionSearch":[1]}',
            note: /弹簧类型.*扭转弹簧设计 “known-torques”.*扭转弹簧搜索选项/ },
        { text: '{"tab":"batch","batch":{"bom":"1"}}', note: null, tab: 'batch' },
    ];
    for (const s of kStates) {
        test(s.text, async () => {
            const errors = pageErrors.length;
            await open({ [kStoreKey]: s.text });
            const shown = await page.evaluate(() => ({
                note: document.getElementById('wb-state-note')?.textContent ?? null,
                panels: Array.from(document.querySelectorAll('[role="tabpanel"]')).filter((p) => !p.hidden)
                    .map((p) => p.id),
                failed: /工作台出错/.test(document.getElementById('workbench').textContent),
            }));
            assert.equal(shown.failed, false);
            assert.deepEqual(shown.panels, ['wb-panel-' + (s.tab || 'material')]);
            if (s.note) {
                assert.match(shown.note, s.note);
            } else {
                assert.equal(shown.note, null);
            }
            await tab('checks');
            assert.deepEqual(await page.$$eval('[role="tabpanel"]', (ps) => ps.filter((p) => !p.hidden)
                .map((p) => p.id)), ['wb-panel-checks']);
            const stored = JSON.parse(await page.evaluate((k) => localStorage.getItem(k), kStoreKey));
            assert.equal(stored.tab, 'checks');
            if (s.kept) {
                assert.deepEqual(stored.checks, s.kept.checks, 'what fitted is kept');
            }
            assert.equal(pageErrors.length, errors, pageErrors.slice(errors).join('\n'));
        });
    }

    test('清除保存的数据: the options and the kept design go, the window stays', async () => {
        await open({ [kStoreKey]: '{"checks":{"load-cycles":"1e6"}}', [kKeptDesign]: kExtensionFile });
        const window = await page.evaluate(() => orselaWindow.request());
        await tab('files');
        await page.click('#wb-clear-saved');
        await statusOf('files', 'ok');
        assert.equal(await page.evaluate((k) => localStorage.getItem(k), kKeptDesign), null);
        assert.deepEqual(await page.evaluate(() => orselaWindow.request()), window);
        assert.equal(await page.$eval('#restore', (e) => e.hidden), true);
        await tab('checks');
        assert.equal(await page.$eval(option('checks', 'load-cycles'), (e) => e.value), '');
    });
});

describe('check options and the certificate\'s Rm', () => {
    const kFiles = [
        { name: 'a design file without check options leaves them', file: { 'wire-diameter': '4' },
            cycles: '1e6' },
        { name: 'a design file with check options sets them', file: { 'load-cycles': '2e5' }, cycles: '2e5' },
    ];
    for (const f of kFiles) {
        test(f.name, async () => {
            await open();
            await tab('checks');
            await wbType(option('checks', 'load-cycles'), '1e6');
            await tab('files');
            await upload('#wb-design-file', 'design.json',
                JSON.stringify(Object.assign({ format: 'orsela-design/1' }, f.file)));
            await statusOf('files', 'ok');
            await tab('checks');
            assert.equal(await page.$eval(option('checks', 'load-cycles'), (e) => e.value), f.cycles);
        });
    }

    test('an Rm typed for one grade is that grade\'s alone, and named where used', async () => {
        await open();
        await tab('material');
        await page.select('#wb-grade', 'SL');
        await wbType('#wb-grade-rm', '1700');
        await page.select('#wb-grade', '65Mn');
        assert.equal(await page.$eval('#wb-grade-rm', (e) => e.value), '');
        await page.select('#wb-grade', 'SL');
        assert.equal(await page.$eval('#wb-grade-rm', (e) => e.value), '1700');
        // The window's 70-C is checked with its table's Rm.
        await page.click('#Command1');
        await settled(page);
        await tab('checks');
        const label = await page.$eval(option('checks', 'tensile-strength'), (e) => e.labels[0].textContent);
        assert.match(label, /70-C/);
        assert.equal(await page.$eval(option('checks', 'tensile-strength'), (e) => e.value), '');
        assert.doesNotMatch(await statusOf('checks'), /质保书/);
        // SL in the window: the checks take SL's certificate and say so.
        await page.evaluate(() => orselaWindow.typeInto('Text1', 'SL'));
        await page.click('#Command1');
        await settled(page);
        await tab('material');
        await tab('checks');
        assert.match(await page.$eval(option('checks', 'tensile-strength'), (e) => e.labels[0].textContent), /SL/);
        assert.equal(await page.$eval(option('checks', 'tensile-strength'), (e) => e.value), '1700');
        assert.match(await statusOf('checks'), /质保书上的 Rm = 1700 MPa \(牌号 SL\)/);
    });

    test('an option typed: the table judged again within two frames', async () => {
        await open();
        await page.click('#Command1');
        await settled(page);
        await tab('checks');
        assert.ok(await page.$$eval('#wb-panel-checks tbody tr', (r) => r.length) > 0);
        await page.focus(option('checks', 'load-cycles'));
        await page.keyboard.type('x');
        const rows = await page.evaluate(() => new Promise((resolve) => requestAnimationFrame(() =>
            requestAnimationFrame(() => resolve(document.querySelectorAll('#wb-panel-checks tbody tr').length)))));
        assert.equal(rows, 0, 'the refused option shows at once');
    });
});

describe('the report and the drawings share one title block', () => {
    test('图号, 设计 and 1 级 in the report as orsela-cli writes them', async () => {
        await open({ [kStoreKey]: JSON.stringify({ files: { precisionGrade: '1',
            titleBlock: { 图号: 'TH-01', 设计: '张工' } } }) });
        await page.click('#Command1');
        await settled(page);
        // The report the page would open in a new window, dated today as orsela-cli's.
        const html = await page.evaluate(() => {
            const opened = [];
            const original = window.open;
            window.open = (url) => {
                opened.push(url);
                return {};
            };
            document.getElementById('wb-report-open').click();
            window.open = original;
            return fetch(opened[0]).then((r) => r.text());
        });
        const file = path.join(work, 'report.html');
        const done = run(['--check', '--title-block=图号=TH-01', '--title-block=设计=张工', '--precision-grade=1',
            '--html-report=' + file]);
        assert.equal(done.status, 0, done.err);
        assert.match(html, /TH-01/);
        assert.equal(html, fs.readFileSync(file, 'utf8'));
    });
});

describe('previewed before printing', () => {
    test('the drawing as SVG and the report in a frame, with the title block typed', async () => {
        await open({ [kStoreKey]: JSON.stringify({ files: { titleBlock: { 图号: 'TH-02' } } }) });
        await page.click('#Command1');
        await settled(page);
        await tab('files');
        await page.click('#wb-preview > summary');
        await page.waitForSelector('#wb-drawing-preview svg');
        await page.waitForFunction(() => /TH-02/.test(document.getElementById('wb-report-preview').srcdoc));
        await page.$eval('#wb-panel-files details:not(#wb-preview)', (d) => { d.open = true; });
        await page.focus('#wb-panel-files [data-option="图号"]');
        await page.keyboard.type('-A');
        await page.waitForFunction(() => /TH-02-A/.test(document.getElementById('wb-report-preview').srcdoc));
        assert.match(await page.$eval('#wb-drawing-preview svg', (e) => e.outerHTML), /TH-02-A/);
        const frame = await page.$eval('#wb-report-preview', (e) => e.getAttribute('sandbox'));
        assert.equal(frame, '', 'the report runs nothing');
    });

    test('the charts take the panel\'s width', async () => {
        await open();
        await page.click('#Command1');
        await settled(page);
        await tab('charts');
        const widths = await page.evaluate(() => [document.querySelector('#wb-panel-charts svg')
            .getBoundingClientRect().width, document.getElementById('wb-panel-charts').clientWidth]);
        assert.ok(widths[0] > 0.8 * Math.min(widths[1], 60 * 14), JSON.stringify(widths));
    });
});

describe('批量计算', () => {
    test('a refused table after a judged one: no result left to see or download', async () => {
        await open();
        await tab('batch');
        await upload('#wb-batch-file', 'good.csv', 'wire-diameter\n4\n');
        await page.click('#wb-batch-run');
        await page.waitForFunction(() => !document.getElementById('wb-batch-save').disabled);
        await upload('#wb-batch-file', 'bytes.csv', Buffer.from([0x64, 0x0a, 0xff, 0x0a]));
        await page.click('#wb-batch-run');
        await statusOf('batch', 'error');
        assert.equal(await page.$eval('#wb-batch-save', (e) => e.disabled), true);
        assert.equal(await page.$$eval('#wb-panel-batch tbody tr', (r) => r.length), 0);
        await upload('#wb-batch-file', 'good.csv', 'wire-diameter\n4\n');
        await page.click('#wb-batch-run');
        await page.waitForFunction(() => !document.getElementById('wb-batch-save').disabled);
        await upload('#wb-batch-file', 'bad.csv', 'wire-diamter\n4\n');
        await page.click('#wb-batch-run');
        await page.waitForFunction(() => /没有计算: .*wire-diamter/.test(
            document.querySelector('#wb-panel-batch .wb-status').textContent));
        assert.equal(await page.$eval('#wb-batch-save', (e) => e.disabled), true);
        assert.equal(await page.$$eval('#wb-panel-batch tbody tr', (r) => r.length), 0);
    });

    test('an echoed cell a spreadsheet would run is written as text', async () => {
        await open();
        await tab('batch');
        await page.click(option('batch', 'with-inputs'));
        await upload('#wb-batch-file', 'formula.csv', 'material,wire-diameter\n=1+2,4\n@SUM(A1),-4\n');
        await page.click('#wb-batch-run');
        await page.waitForFunction(() => !document.getElementById('wb-batch-save').disabled);
        const lines = (await downloaded('formula-结果.csv')).toString('utf8').split('\n');
        assert.match(lines[1], /^1,'=1\+2,4,/);
        assert.match(lines[2], /^2,'@SUM\(A1\),'-4,/);
    });
});

describe('layout', () => {
    test('the restore offer does not move the window', async () => {
        await open();
        const without = await page.$eval('#FormTanHuang', (e) => e.getBoundingClientRect().toJSON());
        await open({ [kKeptDesign]: kExtensionFile });
        assert.equal(await page.$eval('#restore', (e) => e.hidden), false);
        assert.deepEqual(await page.$eval('#FormTanHuang', (e) => e.getBoundingClientRect().toJSON()), without);
    });

    test('360 px: the window from the left edge, reached by scrolling; one check a block', async () => {
        await page.setViewport({ width: 360, height: 740 });
        try {
            await open();
            const box = await page.evaluate(() => {
                const r = (e) => e.getBoundingClientRect().toJSON();
                return {
                    window: r(document.getElementById('FormTanHuang')),
                    option1: r(document.getElementById('Option1Caption')),
                    labels: Array.from(document.querySelectorAll('#client .names-field'), (e) => r(e).left),
                    scrollWidth: document.documentElement.scrollWidth,
                };
            });
            assert.ok(box.window.left >= 0, JSON.stringify(box.window));
            assert.ok(box.option1.left >= 0);
            assert.ok(Math.min(...box.labels) >= 0);
            assert.ok(box.scrollWidth >= box.window.right - 1, 'scrolling reaches the right edge');
            assert.equal(Math.round(box.window.width), 568);
            await page.click('#Command1');
            await settled(page);
            await tab('checks');
            const cells = await page.$$eval('#wb-panel-checks tbody tr:first-child > *', (cs) =>
                cs.map((c) => c.getBoundingClientRect().width));
            assert.ok(cells.length > 0);
            assert.ok(Math.min(...cells) > 200, 'each cell a line of its own: ' + cells);
        } finally {
            await page.setViewport({ width: 1400, height: 900 });
        }
    });
});

describe('设计搜索 for a designer', () => {
    test('filled from the window, started by Enter, the focus on the results, 载入 one Tab away', async () => {
        await open();
        await tab('search');
        const closed = await page.$$eval('#wb-panel-search details', (ds) => ds.filter((d) => !d.open).length);
        assert.equal(closed, 4, 'the optional fields folded in their groups');
        await page.click('#wb-search-prefill');
        const results = JSON.parse(await page.evaluate(() => orsela.judge(orselaWindow.request()))).results;
        const filled = await page.$$eval('#wb-panel-search [data-option]', (cs) =>
            Object.fromEntries(cs.map((c) => [c.dataset.option, c.type === 'checkbox' ? c.checked : c.value])));
        assert.deepEqual([filled.load1, filled.height1, filled.load2, filled.height2, filled.load3, filled.height3,
            filled.material, filled.extension], [results.WorkingLoad1, results.WorkingHeight1, results.WorkingLoad2,
            results.WorkingHeight2, results.WorkingLoad3, results.WorkingHeight3, '70-C', false]);
        // 70-C's table covers no diameter of the series: a grade that does.
        await wbType(option('search', 'material'), '65Mn');
        await page.keyboard.press('Enter');
        await page.waitForSelector('#wb-panel-search tbody tr', { timeout: 60000 });
        await page.waitForFunction(() => document.activeElement.closest('.wb-results') !== null);
        await page.keyboard.press('Tab');
        assert.equal(await page.evaluate(() => document.activeElement.getAttribute('aria-label')), '载入第 1 个设计');
        // 1400 px wide: 保存 of the first design is in sight, not cut off.
        const save = await page.$eval('#wb-panel-search tbody tr .wb-actions button:last-child', (b) => {
            const r = b.getBoundingClientRect();
            return { right: r.right, hit: document.elementFromPoint(r.left + r.width / 2, r.top + r.height / 2) === b };
        });
        assert.ok(save.right <= 1400, JSON.stringify(save));
        assert.ok(save.hit, '保存 is covered or cut off');
    });
});

describe('one file to mail', () => {
    test('orsela.html alone in a folder: under 1 MB, nothing fetched, Calculate and the checks work', async () => {
        const alone = path.join(work, '附件');
        fs.mkdirSync(alone, { recursive: true });
        fs.copyFileSync(path.join(pageDir, 'orsela.html'), path.join(alone, 'orsela.html'));
        assert.ok(fs.statSync(path.join(alone, 'orsela.html')).size < 1024 * 1024);
        const requested = [];
        const note = (request) => requested.push(request.url());
        page.on('request', note);
        try {
            await page.goto(pathToFileURL(path.join(alone, 'orsela.html')).href);
            await ready();
            await page.click('#Command1');
            await settled(page);
            await tab('checks');
            assert.ok(await page.$$eval('#wb-panel-checks tbody tr', (r) => r.length) > 0);
            const results = await page.$eval('#Text20', (e) => e.value);
            await page.click('#wb-tab-search');
            const found = JSON.parse(await page.evaluate(() => orsela.search({ load1: '92.128', height1: '40',
                load2: '184.257', height2: '36', material: '65Mn', top: '1' })));
            assert.equal(found.designs.length, 1, 'the search\'s worker runs from the one file');
            assert.equal(results, '497.944');
        } finally {
            page.off('request', note);
        }
        assert.deepEqual(requested.filter((url) => !/^(data|blob):/.test(url)),
            [pathToFileURL(path.join(alone, 'orsela.html')).href]);
    });

    for (const missing of ['orsela-wasm.js', 'api.js', 'page.css']) {
        test(`index.html without ${missing}: the page names it`, async () => {
            const partial = path.join(work, 'without-' + missing);
            fs.mkdirSync(partial, { recursive: true });
            for (const file of fs.readdirSync(pageDir)) {
                if (file !== missing) {
                    fs.copyFileSync(path.join(pageDir, file), path.join(partial, file));
                }
            }
            const errors = pageErrors.length;
            await page.goto(pathToFileURL(path.join(partial, 'index.html')).href);
            await page.waitForFunction(() => !document.getElementById('missing-files').hidden);
            assert.match(await page.$eval('#missing-files', (e) => e.textContent), new RegExp(missing));
            pageErrors.length = errors; // the scripts after the missing one fail as they must
        });
    }
});

describe('the whole run', () => {
    test('no script error, no alert()', () => {
        assert.deepEqual(pageErrors, []);
    });
});
