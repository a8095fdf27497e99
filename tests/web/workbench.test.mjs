// The workbench beside the window, in Debian's headless Chromium, against
// orsela-cli: the checks, the report and the drawings, the search, the batch,
// the materials and the design files; the keyboard, the layout, the kept state,
// and not one request to the network.
//
// ORSELA_WEB_DIR: the built page (build-web/web); ORSELA_CLI: orsela-cli.
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { after, before, describe, test } from 'node:test';

import { builtPage, clickAndSettle, settled as windowSettled, typeAndLeave } from './built_page.mjs';
import { launchChromium } from './chromium.mjs';

const { pageDir, cli, pageUrl } = builtPage();
assert.ok(fs.existsSync(path.join(pageDir, 'workbench.js')), 'ORSELA_WEB_DIR: no workbench');
const kWait = 20000;

let browser;
let page;
let work;
let downloads;
const outsideRequests = [];
const pageErrors = [];

// Any URL but file:, data: and blob: fails the run; it is also refused.
async function guard(target) {
    await target.setRequestInterception(true);
    target.on('request', (request) => {
        const url = request.url();
        if (/^(file|data|blob):/.test(url)) {
            request.continue();
        } else {
            outsideRequests.push(url);
            request.abort();
        }
    });
    target.on('pageerror', (error) => pageErrors.push(String(error)));
    target.on('dialog', (dialog) => {
        pageErrors.push('dialog: ' + dialog.message());
        dialog.dismiss();
    });
}

before(async () => {
    work = fs.mkdtempSync(path.join(os.tmpdir(), 'orsela-workbench-test-'));
    downloads = path.join(work, 'downloads');
    browser = await launchChromium(path.join(work, 'profile'));
    page = await browser.newPage();
    // A window the page opens (the report) is held to the same rule.
    page.on('popup', (opened) => opened && guard(opened).catch((error) => pageErrors.push(String(error))));
    page.setDefaultTimeout(kWait);
    await page.setViewport({ width: 1500, height: 1000 });
    await guard(page);
    const session = await page.createCDPSession();
    await session.send('Browser.setDownloadBehavior', { behavior: 'allow', downloadPath: downloads });
});

after(async () => {
    await browser?.close();
    fs.rmSync(work, { recursive: true, force: true });
});

// ---- orsela-cli -----------------------------------------------------------

function run(args, input) {
    const done = spawnSync(cli, args, { cwd: work, input, encoding: 'buffer', timeout: 60000 });
    assert.equal(done.error, undefined, String(done.error));
    return { status: done.status, out: done.stdout, err: done.stderr.toString('utf8') };
}

function today() {
    const now = new Date();
    const two = (n) => String(n).padStart(2, '0');
    return `${now.getFullYear()}年${two(now.getMonth() + 1)}月${two(now.getDate())}日`;
}

// ---- driving the page -------------------------------------------------------

// Opens the page with a fresh workbench state (or the kept one).
async function open({ keepState = false } = {}) {
    await page.goto(pageUrl);
    if (!keepState) {
        await page.evaluate(() => localStorage.clear());
        await page.reload();
    }
    await page.waitForFunction(() => document.getElementById('workbench')?.dataset.ready === 'true');
}

const settled = () => windowSettled(page);
const windowType = (name, text) => typeAndLeave(page, name, text);
const windowClick = (name) => clickAndSettle(page, name);

async function windowBoxes() {
    await settled();
    const shown = [];
    for (;;) {
        const text = await page.evaluate(() => {
            const box = document.getElementById('box');
            return box.open ? box.querySelector('.box-text').textContent : null;
        });
        if (text === null) {
            return shown;
        }
        shown.push(text);
        await page.click('#box .box-ok');
        await settled();
    }
}

async function playSteps(steps) {
    for (const [kind, name, text] of steps) {
        await (kind === 'click' ? windowClick(name) : windowType(name, text));
    }
}

async function calculate() {
    await windowClick('Command1');
    assert.deepEqual(await windowBoxes(), []);
}

async function tab(id) {
    await page.click('#wb-tab-' + id);
    await page.waitForFunction((i) => !document.getElementById('wb-panel-' + i).hidden, {}, id);
}

function option(panel, key) {
    return `#wb-panel-${panel} [data-option="${key}"]`;
}

// Types into a workbench text field, its old text replaced.
async function wbType(selector, text) {
    await page.focus(selector);
    await page.$eval(selector, (e) => e.select());
    await page.keyboard.press('Backspace');
    await page.keyboard.type(text);
}

async function wbSet(selector, value) {
    const kind = await page.$eval(selector, (e) => e.tagName + ':' + e.type);
    if (kind.startsWith('SELECT')) {
        await page.select(selector, value);
    } else if (kind.endsWith('checkbox')) {
        const on = await page.$eval(selector, (e) => e.checked);
        if (on !== (value === '1')) {
            await page.click(selector);
        }
    } else {
        await wbType(selector, value);
    }
}

async function text(selector) {
    return page.$eval(selector, (e) => e.textContent);
}

async function waitForFile(file) {
    for (let waited = 0; waited < kWait; waited += 50) {
        if (fs.existsSync(file) && !fs.existsSync(file + '.crdownload') && fs.statSync(file).size > 0) {
            return fs.readFileSync(file);
        }
        await new Promise((resolve) => setTimeout(resolve, 50));
    }
    assert.fail('no download of ' + path.basename(file));
}

async function downloaded(name, action) {
    fs.rmSync(downloads, { recursive: true, force: true });
    await action();
    return waitForFile(path.join(downloads, name));
}

async function upload(selector, name, content) {
    const file = path.join(work, name);
    fs.writeFileSync(file, content);
    const input = await page.$(selector);
    await input.uploadFile(file);
}

// ---- the designs and options ------------------------------------------------

const kDesigns = [
    { name: 'the sample design', steps: [], args: [] },
    {
        name: 'the extension example',
        steps: [['click', 'Option2'], ['click', 'Option4'], ['type', 'Text24', '50'],
            ['type', 'Text12', '100'], ['type', 'Text11', '200'], ['type', 'Text10', '300']],
        args: ['--extension', '--known-loads', '--initial-tension=50', '--working-load1=100',
            '--working-load2=200', '--working-load3=300'],
    },
];

const kCheckOptionSets = [
    { name: 'no options', options: {} },
    {
        name: 'cycles, frequency, Rm, EN',
        options: { 'load-cycles': '1e6', 'working-frequency': '10', 'tensile-strength': '1700',
            standard: 'en', 'end-condition': 'fixed-pinned' },
    },
    {
        name: 'load type, r2, E, density',
        options: { 'load-type': 'dynamic-limited', 'hook-bend-radius': '6', 'elastic-modulus': '200000',
            density: '7.9', 'tensile-strength': '1500' },
    },
];

function optionArgs(options) {
    return Object.entries(options).map(([k, v]) => `--${k}=${v}`);
}

async function setCheckOptions(options) {
    await tab('checks');
    for (const [key, value] of Object.entries(options)) {
        await wbSet(option('checks', key), value);
    }
    // Judged again at once: the table follows the last option.
    await new Promise((resolve) => setTimeout(resolve, 300));
}

const kVerdictWords = { ok: '○ 合格', warning: '△ 注意', fail: '× 不合格', 'not-applicable': '— 不适用',
    info: '◇ 信息', 'not-judged': '? 未验证' };

// ---- the tests ----------------------------------------------------------------

describe('校核: the checks of the last Calculate equal orsela-cli --check', () => {
    for (const design of kDesigns) {
        for (const set of kCheckOptionSets) {
            test(`${design.name}, ${set.name}`, async () => {
                await open();
                await playSteps(design.steps);
                await calculate();
                await setCheckOptions(set.options);
                const args = [...design.args, '--check', ...optionArgs(set.options), '--format=json'];
                const fromCli = run(args);
                const expected = JSON.parse(fromCli.out.toString('utf8'));
                const judged = await page.evaluate((o) => orsela.judge(Object.assign({},
                    orselaWindow.lastCompleted(), o, { check: true })), set.options);
                assert.equal(judged, fromCli.out.toString('utf8'));
                const rows = await page.$$eval('#wb-panel-checks tbody tr', (trs) => trs.map((tr) => ({
                    id: tr.dataset.check,
                    cells: Array.from(tr.children, (c) => c.textContent),
                })));
                assert.deepEqual(rows.map((r) => r.id), expected.checks.map((c) => c.id));
                rows.forEach((row, i) => {
                    const c = expected.checks[i];
                    assert.equal(row.cells[3], kVerdictWords[c.verdict], c.id);
                    assert.equal(row.cells[4], c.message, c.id);
                    assert.equal(row.cells[5], c.clause, c.id);
                    for (const [at, figure] of [[1, c.value], [2, c.limit]]) {
                        if (figure === null) {
                            assert.equal(row.cells[at], '—', c.id);
                        } else {
                            assert.ok(Math.abs(parseFloat(row.cells[at]) - figure) < 5e-4, c.id);
                        }
                    }
                });
                const hints = await page.$$eval('#wb-panel-checks .wb-hints li', (l) => l.length);
                assert.equal(hints, fromCli.err.split('\n').filter((l) => l.trim()).length);
            });
        }
    }

    test('a refused option: the message names the tab\'s field', async () => {
        await open();
        await calculate();
        await setCheckOptions({ 'load-cycles': 'abc' });
        const status = await text('#wb-panel-checks .wb-status');
        assert.match(status, /载荷循环次数/);
        assert.equal(await page.$$eval('#wb-panel-checks tbody tr', (r) => r.length), 0);
    });

    test('edited after Calculate: marked as the last results until the next Calculate', async () => {
        await open();
        await calculate();
        await tab('checks');
        assert.equal(await page.$eval('#wb-panel-checks .wb-stale', (e) => e.hidden), true);
        await windowType('Text5', '30');
        await page.waitForFunction(() => !document.querySelector('#wb-panel-checks .wb-stale').hidden);
        assert.match(await text('#wb-panel-checks .wb-stale'), /以下为上次计算的结果/);
        await calculate();
        await page.waitForFunction(() => document.querySelector('#wb-panel-checks .wb-stale').hidden);
    });
});

describe('特性图', () => {
    const cases = [
        { design: kDesigns[0], options: {}, fatigue: false },
        { design: kDesigns[0], options: { 'load-cycles': '1e6', 'tensile-strength': '1700' }, fatigue: true },
        { design: kDesigns[1], options: { 'load-cycles': '1e5', 'tensile-strength': '1700' }, fatigue: true },
    ];
    for (const c of cases) {
        test(`${c.design.name}, ${JSON.stringify(c.options)}: the report's diagrams`, async () => {
            await open();
            await playSteps(c.design.steps);
            await calculate();
            await setCheckOptions(c.options);
            await tab('charts');
            // Drawn as SVG, with ink: not shown as the diagram's text.
            const svgs = await page.$$eval('#wb-panel-charts figure svg', (list) => list.filter((s) =>
                s instanceof SVGSVGElement && s.getBBox().width > 100 && s.getBBox().height > 100).length);
            assert.equal(svgs, c.fatigue ? 2 : 1);
            // Each diagram is in the engineering report orsela-cli writes.
            const file = path.join(work, 'charts.html');
            run([...c.design.args, '--check', ...optionArgs(c.options), '--html-report=' + file]);
            const reportSvgs = fs.readFileSync(file, 'utf8').match(/<svg[\s\S]*?<\/svg>/g).length;
            assert.ok(reportSvgs >= svgs);
        });
    }
});

describe('文件与报告: report, drawings and design files equal orsela-cli\'s', () => {
    for (const design of kDesigns) {
        const options = { 'load-cycles': '1e6', 'tensile-strength': '1700' };
        const outputs = [
            { button: 'wb-report-save', name: '工程计算书.html', option: '--html-report' },
            { button: 'wb-drawing-dxf', name: '弹簧工作图.dxf', option: '--drawing' },
            { button: 'wb-drawing-svg', name: '弹簧工作图.svg', option: '--drawing' },
        ];
        for (const output of outputs) {
            test(`${design.name}: ${output.name} byte for byte`, async () => {
                await open();
                await playSteps(design.steps);
                await calculate();
                await setCheckOptions(options);
                await tab('files');
                const bytes = await downloaded(output.name, () => page.click('#' + output.button));
                const file = path.join(work, 'cli-' + output.name);
                const done = run([...design.args, '--check', ...optionArgs(options), `${output.option}=${file}`]);
                assert.equal(done.status, 0, done.err);
                assert.equal(today(), await page.evaluate(() => {
                    const n = new Date();
                    return `${n.getFullYear()}年${String(n.getMonth() + 1).padStart(2, '0')}月` +
                        `${String(n.getDate()).padStart(2, '0')}日`;
                }), 'both dated today (unless the run crossed midnight)');
                assert.ok(bytes.equals(fs.readFileSync(file)), output.name + ' differs from orsela-cli\'s');
            });
        }

        test(`${design.name}: 设计.json equals --save-design, and opens again`, async () => {
            await open();
            await playSteps(design.steps);
            await setCheckOptions(options);
            await tab('files');
            const saved = await downloaded('设计.json', () => page.click('#wb-design-save'));
            const request = await page.evaluate(() => orselaWindow.request());
            const args = Object.entries(request).filter(([k, v]) => k !== 'format' && v !== false)
                .map(([k, v]) => (v === true ? '--' + k : `--${k}=${v}`));
            const file = path.join(work, 'cli-design.json');
            run([...args, '--check', ...optionArgs(options), '--save-design=' + file]);
            assert.equal(saved.toString('utf8'), fs.readFileSync(file, 'utf8'));
            // Opened in a fresh page: the same window texts, the check options back.
            await open();
            await upload('#wb-design-file', 'opened.json', saved);
            await page.waitForFunction(() => /已打开/.test(
                document.querySelector('#wb-panel-files .wb-status').textContent));
            assert.deepEqual(await page.evaluate(() => orselaWindow.request()), request);
            await tab('checks');
            assert.equal(await page.$eval(option('checks', 'load-cycles'), (e) => e.value), '1e6');
        });
    }

    test('a broken design file: the reader\'s message, the window untouched', async () => {
        await open();
        const before = await page.evaluate(() => orselaWindow.request());
        await tab('files');
        await upload('#wb-design-file', 'broken.json', '{"format": "orsela-design/1", "wire-diamter": "4"}');
        await page.waitForFunction(() => document.querySelector('#wb-panel-files .wb-status')
            .dataset.kind === 'error');
        const fromCli = run(['--design=broken.json']);
        assert.equal(fromCli.status, 2);
        const message = await text('#wb-panel-files .wb-status');
        assert.match(message, /wire-diameter/);
        assert.deepEqual(await page.evaluate(() => orselaWindow.request()), before);
    });
});

describe('材料', () => {
    const fills = [
        { grade: '65Mn', loadType: 'static', design: kDesigns[0] },
        { grade: '65Mn', loadType: 'dynamic-limited', design: kDesigns[1] },
        { grade: 'EN 10270-1 SM', loadType: 'dynamic-unlimited', design: kDesigns[0] },
    ];
    for (const f of fills) {
        test(`用于设计: ${f.grade}, ${f.loadType}, ${f.design.name}: G and [τ] as --from-material takes them`,
            async () => {
                await open();
                await playSteps(f.design.steps);
                await tab('material');
                await page.select('#wb-grade', f.grade);
                await page.select('#wb-grade-load-type', f.loadType);
                await page.click('#wb-grade-use');
                await page.waitForFunction(() => document.querySelector('#wb-panel-material .wb-status')
                    .dataset.kind === 'ok');
                assert.deepEqual(await windowBoxes(), []);
                const fromCli = JSON.parse(run([...f.design.args, '--material=' + f.grade, '--from-material',
                    '--load-type=' + f.loadType, '--format=json']).out.toString('utf8'));
                const taken = fromCli.inputs_from_material;
                const texts = await page.evaluate(() => ['Text1', 'Text2', 'Text3'].map((n) =>
                    document.getElementById(n).value));
                assert.deepEqual(texts.slice(1).map(Number), [taken.ShearModulus, taken.AllowableShearStress]);
                assert.equal(texts[0], f.grade);
                // Typed as the user types: the window's own checks passed them.
                assert.equal(await page.evaluate(() => window.orselaForm.inputInvalid()), false);
            });
    }

    test('a grade without an Rm table: asks for the certificate\'s Rm, then takes [τ] from it', async () => {
        await open();
        await tab('material');
        await page.select('#wb-grade', 'SL');
        assert.match(await text('#wb-panel-material .wb-detail'), /质保书/);
        await page.click('#wb-grade-use');
        await page.waitForFunction(() => document.querySelector('#wb-panel-material .wb-status')
            .dataset.kind === 'error');
        assert.equal(await page.$eval('#Text1', (e) => e.value), '70-C', 'nothing typed into the window');
        await wbType('#wb-grade-rm', '1700');
        await page.click('#wb-grade-use');
        await page.waitForFunction(() => document.querySelector('#wb-panel-material .wb-status')
            .dataset.kind === 'ok');
        const fromCli = JSON.parse(run(['--material=SL', '--check', '--tensile-strength=1700',
            '--format=json']).out.toString('utf8'));
        const limit = fromCli.checks.find((c) => c.id === 'allowable-stress').limit;
        assert.equal(Number(await page.$eval('#Text3', (e) => e.value)), limit);
        await tab('checks');
        assert.equal(await page.$eval(option('checks', 'tensile-strength'), (e) => e.value), '1700');
    });

    test('the grades and the figures at the window\'s wire diameter equal orsela-cli materials', async () => {
        await open();
        await windowType('Text6', '4.3');
        await tab('material');
        await page.select('#wb-grade', 'EN 10270-1 SM');
        const list = JSON.parse(run(['materials', '--format=json']).out.toString('utf8'));
        const names = await page.$$eval('#wb-panel-material tbody tr[data-grade]', (r) => r.map((t) => t.dataset.grade));
        assert.deepEqual(names, list.map((g) => g.name));
        const one = JSON.parse(run(['materials', 'EN 10270-1 SM', '--wire-diameter=4.3', '--format=json'])
            .out.toString('utf8'));
        const detail = await text('#wb-panel-material .wb-detail');
        assert.ok(detail.includes(`${one.rm_min.toFixed(0)}–${one.rm_max.toFixed(0)} MPa`), detail);
        assert.ok(detail.includes(one.permissible.static.toFixed(1) + ' MPa'), detail);
        assert.ok(detail.includes('d = 4.3 mm'), detail);
    });

    const imports = [
        { name: 'not JSON', content: '{\n' },
        { name: 'no standard', content: '{"format": 1, "materials": [{"name": "x", "family": "carbon-spring-wire", "source": "s"}]}' },
        { name: 'unknown family', content: '{"format": 1, "materials": [{"name": "x", "standard": "s", "family": "wood", "source": "s"}]}' },
    ];
    for (const bad of imports) {
        test(`an invalid materials.json (${bad.name}): refused with orsela-cli's message, nothing changed`, async () => {
            await open();
            await tab('material');
            const grades = await page.$$eval('#wb-grade option', (o) => o.length);
            await upload('#wb-user-import', 'materials.json', bad.content);
            await page.waitForFunction(() => document.querySelector('.wb-user .wb-status').dataset.kind === 'error');
            const fromCli = run(['materials', '--materials-file=materials.json']);
            const cliMessage = fromCli.err.split('\n')[0].replace(/^orsela-cli: /, '');
            const shownMessage = await text('.wb-user .wb-status');
            // The CLI names its file; the page's text has no file name.
            const tail = (m) => m.replace(/^材料数据文件\s*(\S+\s+)?(?=第|有误)/, '');
            assert.equal(tail(shownMessage), tail(cliMessage));
            assert.equal(await page.$$eval('#wb-grade option', (o) => o.length), grades);
            assert.equal(await page.evaluate(() => JSON.parse(localStorage.getItem('orsela.workbench/1'))
                .userMaterials), '');
        });
    }

    test('an own grade from the editor: in the list, used by the checks, kept after a reload', async () => {
        await open();
        await tab('material');
        const form = '.wb-user ';
        const inputs = await page.$$(form + '.wb-grid input[type="text"]');
        const values = ['我的钢丝', '厂标 Q/XX 1', '79000', '206000', '7.85'];
        for (let i = 0; i < values.length; ++i) {
            await inputs[i].click({ clickCount: 3 });
            await page.keyboard.type(values[i]);
        }
        for (const row of [['1', '2000', '2200'], ['6', '1500', '1700']]) {
            await page.click('#wb-user-add-row');
            const cells = await page.$$(form + 'tbody tr:last-child input');
            for (let i = 0; i < 3; ++i) {
                await cells[i].type(row[i]);
            }
        }
        const source = (await page.$$(form + '.wb-grid input[type="text"]'))[5];
        await source.type('钢丝质保书');
        await page.click('#wb-user-save');
        await page.waitForFunction(() => document.querySelector('.wb-user .wb-status').dataset.kind === 'ok');
        await open({ keepState: true });
        await tab('material');
        assert.ok((await page.$$eval('#wb-grade option', (o) => o.map((x) => x.value))).includes('我的钢丝'));
        const figures = await page.evaluate(() => orsela.material('我的钢丝', '4'));
        const kept = await page.evaluate(() => JSON.parse(localStorage.getItem('orsela.workbench/1')).userMaterials);
        const file = path.join(work, 'own.json');
        fs.writeFileSync(file, kept);
        const fromCli = JSON.parse(run(['materials', '我的钢丝', '--wire-diameter=4', '--materials-file=' + file,
            '--format=json']).out.toString('utf8'));
        assert.equal(figures.rm_min, fromCli.rm_min);
        assert.deepEqual(figures.permissible, fromCli.permissible);
        const exported = await downloaded('materials.json', () => page.click('#wb-user-export'));
        assert.equal(exported.toString('utf8'), kept);
    });
});

describe('设计搜索', () => {
    const searches = [
        {
            name: 'compression, 65Mn, top 3',
            options: { load1: '92.128', height1: '40', load2: '184.257', height2: '36', material: '65Mn',
                load3: '368.513', height3: '28', density: '7.85', top: '3' },
        },
        {
            name: 'extension, by outer diameter, with cycles',
            // The certificate's Rm, so that fatigue under the cycles can be judged.
            options: { load1: '100', height1: '74', load2: '200', height2: '78.5', material: '65Mn',
                extension: '1', minimize: 'outer-diameter', top: '4', 'load-cycles': '1e5',
                'tensile-strength': '1600' },
        },
        {
            name: 'none qualifies: the nearest misses',
            options: { load1: '92.128', height1: '40', load2: '184.257', height2: '36', material: '65Mn',
                'max-outer-diameter': '10', top: '2', 'wire-diameters': '2,2.5,3' },
        },
    ];
    const kMask = (json) => Object.assign(json, { seconds: 0, threads: 0 });

    for (const s of searches) {
        test(`${s.name}: the designs in orsela-cli search's order`, async () => {
            await open();
            await fillSearch(s.options);
            await page.click('#wb-search-run');
            await searched();
            const args = ['search', ...Object.entries(s.options).map(([k, v]) => (v === '1' ? '--' + k : `--${k}=${v}`)),
                '--format=json'];
            const fromCli = kMask(JSON.parse(run(args).out.toString('utf8')));
            const fromPage = kMask(JSON.parse(await page.evaluate((o) => orsela.search(o), s.options)));
            assert.deepEqual(fromPage, fromCli);
            const list = fromCli.designs.length ? fromCli.designs : fromCli.nearest_misses;
            const rows = await page.$$eval('#wb-panel-search tbody tr', (trs) => trs.map((tr) =>
                Array.from(tr.children, (c) => c.textContent)));
            assert.deepEqual(rows.map((r) => r.slice(1, 5).map(Number)),
                list.map((d) => [d.wire_diameter, d.mean_diameter, d.active_coils, d.total_coils]));
            const status = await text('#wb-panel-search > .wb-status');
            assert.ok(status.includes(`候选 ${fromCli.candidates} 个, 计算 ${fromCli.calculated} 个, 合格 ` +
                `${fromCli.qualified} 个`), status);
            if (!fromCli.designs.length) {
                const reasons = await page.$$eval('#wb-panel-search tbody tr:first-child li', (l) => l.map((x) => x.textContent));
                assert.deepEqual(reasons, list[0].reasons);
            }
        });
    }

    test('a missing required option: refused, named by its caption', async () => {
        await open();
        await fillSearch({ load1: '100', material: '65Mn' });
        await page.click('#wb-search-run');
        await searched();
        assert.match(await text('#wb-panel-search > .wb-status'), /F1 下的工作高度 H1/);
    });

    test('取消 stops a long search; the page answers meanwhile', async () => {
        await open();
        await fillSearch({ load1: '92.128', height1: '40', load2: '184.257', height2: '36', material: '65Mn',
            'max-outer-diameter': '5', 'second-series': '1', 'index-range': '4,20' });
        await page.click('#wb-search-run');
        await page.waitForFunction(() => !document.getElementById('wb-search-cancel').disabled);
        const started = Date.now();
        assert.equal(await page.evaluate(() => 1 + 1), 2);
        assert.ok(Date.now() - started < 1000, 'the page is busy during the search');
        await page.click('#wb-search-cancel');
        await page.waitForFunction(() => /已取消/.test(document.querySelector('#wb-panel-search > .wb-status')
            .textContent) && !document.getElementById('wb-search-run').disabled, { timeout: 5000 });
        assert.equal(await page.$$eval('#wb-panel-search tbody tr', (r) => r.length), 0);
    });

    for (const s of searches.slice(0, 2)) {
        test(`载入 (${s.name}): the second design into the window, then Calculate as orsela-cli`, async () => {
            await open();
            await fillSearch(s.options);
            await page.click('#wb-search-run');
            await searched();
            const buttons = await page.$$('#wb-panel-search tbody tr .wb-actions button:first-child');
            await buttons[1].click();
            await page.waitForFunction(() => /已载入/.test(document.getElementById('wb-search-loaded').textContent));
            assert.deepEqual(await windowBoxes(), []);
            await calculate();
            const fromCli = JSON.parse(run(['search', ...Object.entries(s.options).map(([k, v]) =>
                (v === '1' ? '--' + k : `--${k}=${v}`)), '--format=json']).out.toString('utf8'));
            const command = fromCli.designs[1].command;
            const single = run([...command, '--format=json']).out.toString('utf8');
            // The check options of the command went to the checks tab.
            // The certificate's Rm went to the window's grade.
            const judged = await page.evaluate(() => {
                const stored = JSON.parse(localStorage.getItem('orsela.workbench/1'));
                const last = orselaWindow.lastCompleted();
                const rm = stored.certificates[last.material];
                return orsela.judge(Object.assign({}, last, stored.checks,
                    rm ? { 'tensile-strength': rm } : {}, { check: true }));
            });
            assert.deepEqual(JSON.parse(judged).results, JSON.parse(single).results);
            assert.deepEqual(JSON.parse(judged).checks, JSON.parse(single).checks);
        });
    }
});

describe('批量计算: the downloaded result equals orsela-cli batch', () => {
    const table = 'wire-diameter,mean-diameter,free-height,extension,check,load-cycles\n' +
        '4,28,44,,,\n3.5,25.2,40,,1,1e6\n4,28,,1,,\nx,28,44,,,\n2,9,30,,1,\n';
    // The page's options (the byte order mark on unless turned off) and the CLI's.
    const cases = [
        { options: { bom: '' }, cli: [], name: 'catalogue.csv' },
        { options: { check: '1', 'with-inputs': '1' }, cli: ['--check', '--with-inputs', '--bom'], name: '弹簧表.csv' },
        { options: { format: 'json', check: '1' }, cli: ['--format=json', '--check', '--bom'], name: 'rows.csv' },
    ];
    // orsela-cli's stderr: the count line and the notes, without the program's name.
    const told = (err) => {
        const lines = err.split('\n').map((l) => l.replace(/^orsela-cli( batch)?: /, '')).filter((l) => l.trim());
        return { count: lines.find((l) => /^\d+ 行: /.test(l)), notes: lines.filter((l) => !/^\d+ 行: /.test(l)) };
    };

    async function runTable(name, content, options) {
        await open();
        await tab('batch');
        for (const [key, value] of Object.entries(options)) {
            await wbSet(option('batch', key), value);
        }
        await upload('#wb-batch-file', name, content);
        await page.click('#wb-batch-run');
        await page.waitForFunction(() => !document.getElementById('wb-batch-run').disabled &&
            document.querySelector('#wb-panel-batch .wb-status').textContent !== '' &&
            !/正在计算/.test(document.querySelector('#wb-panel-batch .wb-status').textContent));
    }

    for (const c of cases) {
        test(`${JSON.stringify(c.options)}: bytes, the count, the notes and the rows`, async () => {
            await runTable(c.name, '\uFEFF' + table, c.options);
            const fromCli = run(['batch', ...c.cli, c.name]);
            const outName = c.name.replace(/\.csv$/, '') + (c.options.format === 'json' ? '-结果.jsonl' : '-结果.csv');
            const bytes = await downloaded(outName, () => page.click('#wb-batch-save'));
            assert.ok(bytes.equals(fromCli.out), 'the result differs from orsela-cli batch');
            const cliTold = told(fromCli.err);
            const status = await text('#wb-panel-batch .wb-status');
            assert.ok(status.includes(cliTold.count.replace(/^\d+ 行: /, '')), status);
            assert.match(status, /UTF-8 编码, 5 行/);
            assert.doesNotMatch(status, /退出状态|orsela-cli/);
            assert.deepEqual(await page.$$eval('#wb-batch-notes li', (l) => l.map((x) => x.textContent)), cliTold.notes);
            const rows = await page.$$eval('#wb-panel-batch tbody tr', (trs) => trs.map((tr) => tr.dataset.status));
            const statuses = run(['batch', '--format=json', c.name]).out.toString('utf8').trim().split('\n')
                .map((l) => JSON.parse(l).status);
            assert.deepEqual(rows, statuses);
            await page.click('#wb-batch-problems');
            const problems = await page.$$eval('#wb-panel-batch tbody tr', (trs) => trs.map((tr) =>
                tr.dataset.status + ':' + tr.dataset.verdict));
            assert.ok(problems.length < 5 && problems.every((p) => !p.startsWith('completed') || p.endsWith(':fail')),
                problems.join());
        });
    }

    test('the verdicts in words (the byte order mark on): a failed check still marks its row', async () => {
        await runTable('failing.csv', 'wire-diameter,mean-diameter,free-height,check,load-cycles,material\n' +
            '4,28,44,1,1e7,65Mn\n3,28,44,1,,\n', {});
        const verdicts = await page.$$eval('#wb-panel-batch tbody tr', (trs) => trs.map((tr) => tr.dataset.verdict));
        assert.equal(verdicts[0], 'fail');
        assert.notEqual(verdicts[1], 'fail');
        await page.click('#wb-batch-problems');
        assert.deepEqual(await page.$$eval('#wb-panel-batch tbody th', (ths) => ths.map((th) => th.textContent)), ['1']);
    });

    const kGbkTable = Buffer.concat([Buffer.from('material,wire-diameter\n'), Buffer.from([0xb5, 0xaf, 0xbb, 0xc9]),
        Buffer.from(',4\n65Mn,4\n')]);
    test('a GBK table (Excel on a Chinese Windows): read as GBK, said, judged as its UTF-8 text', async () => {
        await runTable('gbk.csv', kGbkTable, { bom: '', 'with-inputs': '1' });
        assert.match(await text('#wb-panel-batch .wb-status'), /GBK 编码, 2 行/);
        fs.writeFileSync(path.join(work, 'utf8.csv'), 'material,wire-diameter\n弹簧,4\n65Mn,4\n');
        const fromCli = run(['batch', '--with-inputs', 'utf8.csv']);
        const bytes = await downloaded('gbk-结果.csv', () => page.click('#wb-batch-save'));
        assert.ok(bytes.equals(fromCli.out), bytes.toString('utf8'));
        assert.match(bytes.toString('utf8'), /^1,弹簧,4,/m);
    });

    test('bytes neither UTF-8 nor GBK: named, nothing judged', async () => {
        await runTable('bytes.csv', Buffer.from([0x64, 0x0a, 0xff, 0x0a]), {});
        assert.equal(await page.$eval('#wb-panel-batch .wb-status', (e) => e.dataset.kind), 'error');
        assert.match(await text('#wb-panel-batch .wb-status'), /bytes\.csv/);
        assert.equal(await page.$eval('#wb-batch-save', (e) => e.disabled), true);
    });

    test('the template: the window\'s design as its first row, judged by orsela-cli as the window judges it', async () => {
        await open();
        await tab('batch');
        const template = await downloaded('设计表模板.csv', () => page.click('#wb-batch-template'));
        assert.equal(template.subarray(0, 3).toString('hex'), 'efbbbf');
        fs.writeFileSync(path.join(work, 'template.csv'), template);
        const fromCli = run(['batch', 'template.csv']);
        assert.equal(fromCli.status, 0, fromCli.err);
        const lines = fromCli.out.toString('utf8').trim().split('\n');
        assert.equal(lines.length, 2);
        assert.match(lines[1], /^1,completed,.*497\.944/);
    });
});

describe('the workbench itself', () => {
    test('its options, the search form, the own grades and the tab are kept over a reload', async () => {
        await open();
        await setCheckOptions({ 'load-cycles': '2e5', standard: 'en' });
        await tab('search');
        await wbSet(option('search', 'material'), '50CrVA');
        await wbSet(option('search', 'extension'), '1');
        await tab('batch');
        await wbSet(option('batch', 'bom'), '1');
        await open({ keepState: true });
        assert.equal(await page.$eval('#wb-tab-batch', (e) => e.getAttribute('aria-selected')), 'true');
        assert.equal(await page.$eval(option('batch', 'bom'), (e) => e.checked), true);
        assert.equal(await page.$eval(option('search', 'material'), (e) => e.value), '50CrVA');
        assert.equal(await page.$eval(option('search', 'extension'), (e) => e.checked), true);
        assert.equal(await page.$eval(option('checks', 'load-cycles'), (e) => e.value), '2e5');
        assert.equal(await page.$eval(option('checks', 'standard'), (e) => e.value), 'en');
    });

    const keys = [
        { from: 'material', key: 'ArrowRight', to: 'checks' },
        { from: 'material', key: 'ArrowLeft', to: 'files' },
        { from: 'batch', key: 'Home', to: 'material' },
        { from: 'checks', key: 'End', to: 'files' },
        { from: 'files', key: 'ArrowRight', to: 'material' },
    ];
    for (const k of keys) {
        test(`${k.key} on the tab ${k.from} selects and focuses ${k.to}`, async () => {
            await open();
            await tab(k.from);
            await page.focus('#wb-tab-' + k.from);
            await page.keyboard.press(k.key);
            assert.equal(await page.evaluate(() => document.activeElement.id), 'wb-tab-' + k.to);
            assert.equal(await page.$eval('#wb-tab-' + k.to, (e) => e.getAttribute('aria-selected')), 'true');
            assert.equal(await page.$eval('#wb-panel-' + k.to, (e) => e.hidden), false);
            assert.equal(await page.$$eval('[role="tab"][tabindex="0"]', (t) => t.length), 1);
        });
    }

    for (const id of ['material', 'checks', 'charts', 'search', 'batch', 'files']) {
        test(`Tab reaches every control of the tab ${id}, and no key reaches the window`, async () => {
            await open();
            await calculate();
            if (id === 'search') {
                await fillSearch({ load1: '92.128', height1: '40', load2: '184.257', height2: '36',
                    material: '65Mn', top: '2' });
                await page.click('#wb-search-run');
                await searched();
            }
            await tab(id);
            await page.evaluate(() => document.querySelectorAll('details').forEach((d) => { d.open = true; }));
            const expected = await page.evaluate((panelId) => {
                const root = document.getElementById('workbench');
                const radios = new Set();
                return Array.from(root.querySelectorAll('button, input, select, textarea, summary, iframe, a[href], [tabindex]'))
                    .filter((e) => {
                        if (e.disabled || e.tabIndex < 0 || !e.getClientRects().length) {
                            return false;
                        }
                        if (e.type === 'radio') {
                            if (radios.has(e.name)) {
                                return false;
                            }
                            radios.add(e.name);
                        }
                        return e.closest('[role="tablist"]') || e.closest('#wb-panel-' + panelId);
                    })
                    .map((e) => e.id || e.dataset.option || e.getAttribute('aria-label') || e.textContent);
            }, id);
            await page.focus('#wb-tab-' + id);
            const seen = [];
            for (let i = 0; i < expected.length + 1; ++i) {
                const inside = await page.evaluate(() => {
                    const e = document.activeElement;
                    return document.getElementById('workbench').contains(e) ?
                        (e.id || e.dataset.option || e.getAttribute('aria-label') || e.textContent) : null;
                });
                if (inside === null) {
                    break;
                }
                seen.push(inside);
                await page.keyboard.press('Tab');
            }
            assert.deepEqual(seen, expected);
            assert.equal(await page.$eval('#Text20', (e) => e.value), '497.944', 'no key changed the window');
            assert.deepEqual(await windowBoxes(), []);
        });
    }

    test('F6 moves between the window and the workbench', async () => {
        await open();
        await page.focus('#Text5');
        await page.keyboard.press('F6');
        assert.equal(await page.evaluate(() => document.activeElement.id), 'wb-tab-material');
        await page.keyboard.press('F6');
        assert.equal(await page.evaluate(() => document.getElementById('client').contains(document.activeElement)), true);
    });

    const layouts = [
        { width: 1500, beside: true },
        { width: 900, beside: false },
        { width: 360, beside: false },
    ];
    for (const l of layouts) {
        test(`${l.width} px wide: the workbench ${l.beside ? 'beside' : 'below'} the window at its designed size`,
            async () => {
                await page.setViewport({ width: l.width, height: 900 });
                try {
                    await open();
                    const box = await page.evaluate(() => {
                        const r = (id) => document.getElementById(id).getBoundingClientRect().toJSON();
                        return { window: r('client'), bench: r('workbench'), view: document.documentElement.clientWidth };
                    });
                    assert.equal(Math.round(box.window.width), 566);
                    if (l.beside) {
                        assert.ok(box.bench.left >= box.window.right, JSON.stringify(box));
                    } else {
                        assert.ok(box.bench.top >= box.window.bottom, JSON.stringify(box));
                        assert.ok(box.bench.width <= Math.max(box.view, 566) + 1, JSON.stringify(box));
                    }
                    if (l.width === 360) {
                        // The list of grades scrolls in its own box, not the page.
                        const scroll = await page.$eval('#wb-panel-material .wb-scroll:last-of-type', (e) =>
                            [e.scrollWidth, e.clientWidth, e.getBoundingClientRect().right]);
                        assert.ok(scroll[0] > scroll[1], 'the table fits: nothing to scroll');
                        assert.ok(scroll[2] <= 566 + 1);
                    }
                } finally {
                    await page.setViewport({ width: 1500, height: 1000 });
                }
            });
    }

    test('printed: the active panel, without the window, the tabs and the buttons', async () => {
        await open();
        await calculate();
        await tab('checks');
        await page.emulateMediaType('print');
        try {
            const shown = await page.evaluate(() => {
                const visible = (e) => e && getComputedStyle(e).display !== 'none' && e.getClientRects().length > 0;
                return {
                    window: visible(document.getElementById('FormTanHuang')),
                    tabs: visible(document.querySelector('[role="tablist"]')),
                    table: visible(document.querySelector('#wb-panel-checks table')),
                    other: visible(document.getElementById('wb-panel-search')),
                    buttons: Array.from(document.querySelectorAll('#workbench button')).some(visible),
                };
            });
            assert.deepEqual(shown, { window: false, tabs: false, table: true, other: false, buttons: false });
        } finally {
            await page.emulateMediaType(null);
        }
    });
});

describe('扭转弹簧: the torsion panel, by the keyboard, equals orsela-cli --torsion', () => {
    const design = { material: '65Mn', 'wire-diameter': '2.5', 'mean-diameter': '18', 'active-coils': '7',
        'leg-length1': '30', 'leg-length2': '20', 'working-angle1': '40', 'working-angle2': '70',
        'working-angle3': '100', 'arbor-diameter': '12' };
    const args = ['--torsion', '--check', ...optionArgs(design)];

    // Tab until the field of the option has the focus, then its text replaced by typing.
    async function typeByKeyboard(key, value) {
        for (let i = 0; i < 60; ++i) {
            if (await page.evaluate((k) => document.activeElement?.dataset.option === k, key)) {
                await page.keyboard.down('Control');
                await page.keyboard.press('KeyA');
                await page.keyboard.up('Control');
                await page.keyboard.type(value);
                return;
            }
            await page.keyboard.press('Tab');
        }
        assert.fail('no field ' + key + ' by Tab');
    }

    async function shownValues() {
        return page.$$eval('#wb-torsion-results tr[data-result]', (rows) =>
            Object.fromEntries(rows.map((r) => [r.dataset.result, r.cells[1].textContent])));
    }

    test('choose 扭转弹簧, type a design, Enter: the CLI\'s values and checks; saved and opened again', async () => {
        await open();
        await page.focus('#wb-kind-window');
        await page.keyboard.press('ArrowRight');
        await page.waitForFunction(() => !document.getElementById('wb-torsion').hidden);
        await page.keyboard.press('Tab');
        for (const [key, value] of Object.entries(design)) {
            await typeByKeyboard(key, value);
        }
        await page.keyboard.press('Enter');
        await page.waitForFunction(() => document.activeElement?.id === 'wb-torsion-results');
        const want = JSON.parse(run([...args, '--format=json']).out.toString('utf8'));
        assert.equal(want.status, 'completed');
        assert.deepEqual(await shownValues(), want.results);
        assert.deepEqual(await page.$$eval('#wb-torsion tr[data-check]', (rows) =>
            rows.map((r) => [r.dataset.check, r.dataset.verdict])), want.checks.map((c) => [c.id, c.verdict]));
        assert.match(await text('#wb-torsion > .wb-status'), new RegExp(want.results.AngularRate));

        await tab('files');
        const saved = await downloaded('设计.json', () => page.click('#wb-design-save'));
        const file = path.join(work, 'torsion-cli.json');
        run([...args, '--save-design=' + file]);
        assert.equal(saved.toString('utf8'), fs.readFileSync(file, 'utf8'));

        await open({ keepState: true });
        assert.equal(await page.$eval('#wb-kind-torsion', (e) => e.checked), true, 'the kind is kept');
        await page.waitForFunction(() => document.querySelectorAll('#wb-torsion-results tr[data-result]').length);
        assert.deepEqual(await shownValues(), want.results, 'the design is kept');
        await open();
        assert.equal(await page.$eval('#wb-torsion', (e) => e.hidden), true, 'a fresh page: the window\'s kinds');
        await tab('files');
        await upload('#wb-design-file', 'torsion.json', saved);
        await page.waitForFunction(() => !document.getElementById('wb-torsion').hidden &&
            document.querySelectorAll('#wb-torsion-results tr[data-result]').length > 0);
        assert.deepEqual(await shownValues(), want.results);
        assert.equal(await page.$eval('#wb-kind-torsion', (e) => e.checked), true);
    });

    test('the 校核 tab, open while the panel\'s design changes, shows the panel\'s checks', async () => {
        await open();
        await tab('checks');
        await page.click('#wb-kind-torsion');
        const checks = (panel) => page.$$eval(`${panel} tr[data-check]`, (rows) =>
            rows.map((r) => [r.dataset.check, r.cells[1].textContent]));
        await page.focus('#wb-torsion [data-option="wire-diameter"]');
        await page.keyboard.down('Control');
        await page.keyboard.press('KeyA');
        await page.keyboard.up('Control');
        await page.keyboard.type('2.2');
        await page.waitForFunction(() => document.querySelector('#wb-torsion tr[data-check]'));
        await new Promise((resolve) => setTimeout(resolve, 100));
        assert.deepEqual(await checks('#wb-panel-checks'), await checks('#wb-torsion'));
    });

    test('the search filled from the panel, 载入 into it; the batch template judged as orsela-cli batch judges it', async () => {
        await open();
        await page.click('#wb-kind-torsion');
        await tab('search');
        await page.click('#wb-search-prefill');
        await page.click('#wb-search-run');
        await searched();
        const options = await page.evaluate(() => JSON.parse(localStorage.getItem('orsela.workbench/1')).torsionSearch);
        const fromCli = JSON.parse(run(['search', '--torsion', '--format=json', ...optionArgs(options)]).out
            .toString('utf8'));
        assert.ok(fromCli.designs.length > 0, JSON.stringify(options));
        const rows = await page.$$eval('#wb-panel-search tbody tr', (trs) => trs.map((tr) =>
            Array.from(tr.children, (c) => c.textContent).slice(1, 5)));
        assert.deepEqual(rows, fromCli.designs.map((d) => [d.arguments[0], d.arguments[1], d.arguments[2],
            d.design.results.AngularRate].map((a) => a.replace(/^--[a-z-]+=/, ''))));
        await page.click('#wb-panel-search tbody tr:first-child .wb-actions button');
        await page.waitForFunction((rate) => document.querySelector('#wb-torsion-results tr[data-result="AngularRate"]')
            ?.cells[1].textContent === rate, {}, fromCli.designs[0].design.results.AngularRate);

        await tab('batch');
        const template = await downloaded('扭转弹簧设计表模板.csv', () => page.click('#wb-batch-template'));
        fs.writeFileSync(path.join(work, 'torsion-table.csv'), template);
        const judged = run(['batch', '--bom', 'torsion-table.csv']);
        assert.equal(judged.status, 0, judged.err);
        assert.match(judged.out.toString('utf8'), new RegExp('\\n1,completed,.*,' +
            fromCli.designs[0].design.results.AngularRate.replace('.', '\\.') + ','));
        await upload('#wb-batch-file', 'torsion-table.csv', template);
        await page.click('#wb-batch-run');
        await page.waitForFunction(() => document.querySelector('#wb-panel-batch tbody tr'));
        const bytes = await downloaded('torsion-table-结果.csv', () => page.click('#wb-batch-save'));
        assert.ok(bytes.equals(judged.out), bytes.toString('utf8'));
    });
});

describe('the whole run', () => {
    test('no request to the network, no script error, no alert()', () => {
        assert.deepEqual(outsideRequests, []);
        assert.deepEqual(pageErrors, []);
    });
});

async function fillSearch(options) {
    await tab('search');
    for (const [key, value] of Object.entries(options)) {
        // An optional field's group is opened first, as a user opens it.
        await page.$eval(option('search', key), (e) => {
            const group = e.closest('details');
            if (group) {
                group.open = true;
            }
        });
        await wbSet(option('search', key), value);
    }
}

async function searched() {
    await page.waitForFunction(() => !document.getElementById('wb-search-run').disabled &&
        document.querySelector('#wb-panel-search > .wb-status').textContent !== '', { timeout: 60000 });
}
