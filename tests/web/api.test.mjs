// window.orsela against orsela-cli: the page judges with the same C++, so
// every call must give the bytes the command line prints for the same design
// file, options or table. Headless Debian Chromium, the page opened from its
// file, and not one request to the network.
//
// ORSELA_WEB_DIR: the built page (build-web/web); ORSELA_CLI: orsela-cli.
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { after, before, describe, test } from 'node:test';

import { builtPage } from './built_page.mjs';
import { launchChromium } from './chromium.mjs';

const { pageDir, cli, pageUrl } = builtPage();

let browser;
let page;
let work;
const outsideRequests = [];

before(async () => {
    work = fs.mkdtempSync(path.join(os.tmpdir(), 'orsela-api-test-'));
    browser = await launchChromium(path.join(work, 'profile'));
    page = await browser.newPage();
    page.on('request', (request) => {
        if (!/^(file|data|blob):/.test(request.url())) {
            outsideRequests.push(request.url());
        }
    });
    await page.goto(pageUrl);
    await page.waitForFunction(() => document.documentElement.dataset.ready === 'true');
    await page.evaluate(() => window.orsela.ready);
});

after(async () => {
    await browser?.close();
    fs.rmSync(work, { recursive: true, force: true });
});

// What the CLI prints, run in the test's own folder (HOME there too, so no
// user's materials file takes part).
function runCli(args, input) {
    const result = spawnSync(cli, args, {
        cwd: work,
        input,
        encoding: 'utf8',
        env: { ...process.env, HOME: work, XDG_DATA_HOME: path.join(work, 'data') },
        timeout: 60000,
    });
    return { exitStatus: result.status, out: result.stdout };
}

function designFile(request) {
    const file = path.join(work, 'design-' + Math.random().toString(36).slice(2) + '.json');
    fs.writeFileSync(file, JSON.stringify(Object.assign({ format: 'orsela-design/1' }, request)));
    return file;
}

// The search's run time and thread count say how the run went, not what it found.
function masked(json) {
    return json.replace(/"seconds": [0-9.e+-]+/, '"seconds": T').replace(/"threads": \d+/, '"threads": N');
}

const kExtension = {
    extension: true, 'known-loads': true, 'initial-tension': '50',
    'working-load1': '100', 'working-load2': '200', 'working-load3': '300',
};

const kDesigns = [
    { name: 'the sample design', request: {} },
    { name: 'the sample design checked', request: { check: true } },
    { name: 'with 65Mn, cycles and a frequency', request: {
        check: true, material: '65Mn', 'load-cycles': '1e6', 'working-frequency': '10' } },
    { name: 'with 70-C and the certificate Rm', request: {
        check: true, 'tensile-strength': '1570', 'load-cycles': '1e6', 'from-material': false } },
    { name: 'EN 13906-1', request: { check: true, material: 'EN 10270-1 SM', standard: 'en' } },
    { name: 'the extension example checked', request: Object.assign({ check: true }, kExtension) },
    { name: 'stopped by a warning', request: { 'free-height': '20' } },
    { name: 'refused field text', request: { 'wire-diameter': 'abc' } },
    { name: 'a calculation fault', request: { 'mean-diameter': '4' } },
];

describe('judge: the JSON of orsela-cli --design=FILE --format=json', () => {
    for (const row of kDesigns) {
        test(row.name, async () => {
            const got = await page.evaluate((r) => window.orsela.judgeDetails(r), row.request);
            const file = designFile(row.request);
            const want = runCli(['--design=' + file, '--format=json']);
            // A refusal names the file; the page's request is named "设计".
            assert.equal(got.out, want.out.replace(file, '设计'));
            assert.equal(got.exitStatus, want.exitStatus);
        });
    }
});

describe('engineeringReport: the bytes of --html-report', () => {
    for (const row of kDesigns.filter((d) => /sample|extension|65Mn/.test(d.name))) {
        test(row.name, async () => {
            const got = await page.evaluate((r) =>
                window.orsela.engineeringReport(r, { date: '2026年12月09日' }), row.request);
            const file = path.join(work, 'report.html');
            runCli(['--design=' + designFile(row.request), '--html-report=' + file]);
            // The CLI dates its report today: the same date in the page's.
            const want = fs.readFileSync(file, 'utf8').replace(/\d{4}年\d{2}月\d{2}日/g, '2026年12月09日');
            assert.equal(got.replace(/\d{4}年\d{2}月\d{2}日/g, '2026年12月09日'), want);
        });
    }
});

describe('drawing: the bytes of --drawing', () => {
    const cases = [
        { kind: 'dxf', args: [] }, { kind: 'svg', args: [] },
        { kind: 'dxf', args: ['--dxf-version=2000'], options: { dxfVersion: '2000' } },
    ];
    for (const c of cases) {
        test(c.kind + ' ' + c.args.join(' '), async () => {
            const got = await page.evaluate(async (kind, options) => {
                const drawing = window.orsela.drawing({ check: true }, kind, options);
                return drawing.ok ? Array.from(drawing.data) : drawing.message;
            }, c.kind, Object.assign({ date: '2026年12月09日' }, c.options || {}));
            const file = path.join(work, 'drawing.' + c.kind);
            runCli(['--check', '--drawing=' + file, ...c.args]);
            const want = fs.readFileSync(file);
            // The date on the title block: the page was given one, the CLI took today's.
            const gotText = Buffer.from(got).toString('latin1');
            const wantText = want.toString('latin1');
            const dated = (t) => t.replace(/\d{4}(年|\xc4\xea)\d{2}(月|\xd4\xc2)\d{2}(日|\xc8\xd5)/g, 'DATE')
                .replace(/\d{4}\xe5\xb9\xb4\d{2}\xe6\x9c\x88\d{2}\xe6\x97\xa5/g, 'DATE');
            assert.equal(dated(gotText), dated(wantText));
        });
    }
});

describe('drawing: refused as --drawing refuses it', () => {
    test('a material longer than the sheet takes', async () => {
        const material = '弹'.repeat(60);
        const got = await page.evaluate((m) =>
            window.orsela.drawing({ material: m }, 'svg', { date: '2026年12月09日' }).message, material);
        const refused = spawnSync(cli, ['--material=' + material, '--drawing=' + path.join(work, 'x.svg')],
            { cwd: work, encoding: 'utf8', env: { ...process.env, HOME: work }, timeout: 60000 });
        assert.equal(refused.status, 2);
        assert.equal('orsela-cli: --material: ' + got + '\n', refused.stderr);
    });
});

describe('search: the JSON of orsela-cli search --format=json', () => {
    const cases = [
        { name: 'the sample spring\'s own loads', options: {
            material: '65Mn', 'wire-diameters': '3,3.5,4,4.5,5', load1: '92.128', height1: '40',
            load2: '184.257', height2: '36', load3: '368.513', height3: '28', top: '3' } },
        { name: 'no wire list, the grade\'s series', options: {
            material: '65Mn', load1: '200', height1: '30', load2: '400', height2: '20', top: '5' } },
        { name: 'none qualifies: the nearest misses', options: {
            material: '65Mn', load1: '200', height1: '30', load2: '400', height2: '20',
            'max-outer-diameter': '40', top: '4' } },
        { name: 'an extension spring, checked at 1e6 cycles', options: {
            extension: '1', material: 'EN 10270-1 SM', load1: '50', height1: '60', load2: '100',
            height2: '70', 'load-cycles': '1e6', top: '3' } },
        { name: 'a usage error', options: { material: '65Mn', load1: '200' } },
    ];
    for (const c of cases) {
        test(c.name, async () => {
            const got = await page.evaluate((o) => window.orsela.searchDetails(o), c.options);
            const args = ['search', '--format=json'];
            for (const [name, value] of Object.entries(c.options)) {
                args.push(value === '1' && name === 'extension' ? '--extension' : '--' + name + '=' + value);
            }
            const want = runCli(args);
            assert.equal(masked(got.out), masked(want.out));
            assert.equal(got.exitStatus, want.exitStatus);
        });
    }

    test('an AbortSignal stops it, and the next search runs', async () => {
        const outcome = await page.evaluate(async () => {
            const controller = new AbortController();
            let progressed = 0;
            const running = window.orsela.search({
                material: '65Mn', load1: '1', height1: '300', load2: '2', height2: '100',
                'index-range': '4,16', 'second-series': '1',
            }, { signal: controller.signal, onProgress: () => { progressed += 1; } });
            setTimeout(() => controller.abort(), 300);
            let name = '';
            try {
                await running;
            } catch (error) {
                name = error.name;
            }
            const again = JSON.parse(await window.orsela.search({
                material: '65Mn', 'wire-diameters': '4', load1: '92.128', height1: '40',
                load2: '184.257', height2: '36', top: '1' }));
            return { name, progressed, designs: again.designs.length };
        });
        assert.equal(outcome.name, 'AbortError');
        assert.equal(outcome.designs, 1);
    });
});

describe('batch: the bytes of orsela-cli batch', () => {
    const table = 'wire-diameter,mean-diameter,extension,known-loads,initial-tension,' +
        'working-load1,working-load2,working-load3,check,material\n' +
        '4,28,,,,,,,1,65Mn\n3.5,25,1,1,40,80,160,240,1,\nabc,28,,,,,,,,\n4,4,,,,,,,,\n';
    const cases = [
        { name: 'csv', options: {}, args: [] },
        { name: 'checked, with inputs and a BOM', options: { check: '1', 'with-inputs': '1', bom: '1' },
          args: ['--check', '--with-inputs', '--bom'] },
        { name: 'json lines', options: { format: 'json' }, args: ['--format=json'] },
        { name: 'row defaults from options', options: { material: '65Mn', 'load-cycles': '1e6', check: '1' },
          args: ['--material=65Mn', '--load-cycles=1e6', '--check'] },
    ];
    for (const c of cases) {
        test(c.name, async () => {
            const got = await page.evaluate((t, o) => window.orsela.batchDetails(t, o), table, c.options);
            const want = runCli(['batch', ...c.args], table);
            assert.equal(got.out, want.out);
            assert.equal(got.exitStatus, want.exitStatus);
        });
    }
});

describe('materials', () => {
    test('the list as orsela-cli materials --format=json', async () => {
        const got = await page.evaluate(() => window.orsela.materials());
        assert.deepEqual(got, JSON.parse(runCli(['materials', '--format=json']).out));
    });

    const grades = [['65Mn', '4'], ['EN 10270-1 SM', '0.5'], ['12Cr18Ni9', '2'], ['70-C', '4']];
    for (const [grade, d] of grades) {
        test(grade + ' at ' + d + ' mm', async () => {
            const got = await page.evaluate((g, w) => window.orsela.material(g, w), grade, d);
            const want = runCli(['materials', grade, '--wire-diameter=' + d, '--format=json']);
            assert.deepEqual(got, want.exitStatus === 0 ? JSON.parse(want.out) : null);
        });
    }

    test('the user\'s own grade judges as --materials-file does; a bad file changes nothing', async () => {
        const own = JSON.stringify({ format: 1, materials: [{
            name: 'MY-1', standard: 'own', family: 'carbon-spring-wire', shear_modulus: 80000,
            elastic_modulus: 206000, density: 7.85, source: 'certificate',
            rm: [[3, 1700, 1900], [5, 1600, 1800]] }] });
        const file = path.join(work, 'own.json');
        fs.writeFileSync(file, own);
        const request = { check: true, material: 'MY-1' };
        const got = await page.evaluate((text, r) => {
            const applied = window.orsela.setUserMaterials(text);
            return { applied, out: window.orsela.judge(r) };
        }, own, request);
        assert.equal(got.applied.ok, true);
        const want = runCli(['--design=' + designFile(request), '--format=json',
            '--materials-file=' + file]);
        assert.equal(got.out, want.out);

        const broken = '{"format":1,"materials":[{"name":"X","shear_modulus":1e309}]}';
        fs.writeFileSync(file, broken);
        const refused = await page.evaluate((text, r) => ({
            applied: window.orsela.setUserMaterials(text), out: window.orsela.judge(r) }), broken, request);
        assert.equal(refused.applied.ok, false);
        assert.match(refused.applied.message, /materials\.json/);
        assert.equal(refused.out, got.out, 'the grade from before is still there');
        await page.evaluate(() => window.orsela.setUserMaterials(''));
    });
});

describe('design files between the page and the CLI', () => {
    test('saved by the page, judged by the CLI; saved by the CLI, read by the page', async () => {
        const request = Object.assign({ check: true, 'load-cycles': '1e6' }, kExtension);
        const saved = await page.evaluate((r) => window.orsela.designFile(r), request);
        assert.equal(saved.ok, true);
        const file = path.join(work, 'page.json');
        fs.writeFileSync(file, saved.text);
        const fromPage = runCli(['--design=' + file, '--format=json']);
        assert.equal(fromPage.out, await page.evaluate((r) => window.orsela.judge(r), request));

        const cliFile = path.join(work, 'cli.json');
        runCli(['--save-design=' + cliFile, '--extension', '--known-loads', '--initial-tension=50',
            '--working-load1=100', '--working-load2=200', '--working-load3=300']);
        const read = await page.evaluate((t) => window.orsela.readDesignFile(t, 'cli.json'),
            fs.readFileSync(cliFile, 'utf8'));
        assert.equal(read.ok, true);
        assert.equal(read.request.extension, true);
        assert.equal(read.request['initial-tension'], '50');
    });

    test('a misspelt key is refused as the CLI refuses it', async () => {
        const read = await page.evaluate(() => window.orsela.readDesignFile(
            '{"format": "orsela-design/1", "wire-diameterr": "4"}', 'bad.json'));
        assert.equal(read.ok, false);
        const file = path.join(work, 'bad.json');
        fs.writeFileSync(file, '{"format": "orsela-design/1", "wire-diameterr": "4"}');
        const want = JSON.parse(runCli(['--design=' + file, '--format=json']).out);
        assert.equal(read.message, want.message.replace(file, 'bad.json'));
    });
});

// ---- torsion springs ---------------------------------------------------------

const kTorsion = {
    torsion: true, check: true, material: 'EN 10270-1 SM', 'wire-diameter': '2', 'mean-diameter': '16',
    'active-coils': '6', 'leg-length1': '25', 'leg-length2': '25', 'working-angle1': '30',
    'working-angle3': '90', 'arbor-diameter': '11',
};

const kTorsionDesigns = [
    { name: 'the guide\'s example', request: kTorsion },
    { name: 'known torques, unwound, spaced, 65Mn at 1e5 cycles', request: {
        torsion: true, check: true, material: '65Mn', 'wire-diameter': '3', 'mean-diameter': '20',
        'active-coils': '8.5', 'known-torques': true, 'working-torque1': '500', 'working-torque2': '900',
        'working-torque3': '1500', 'load-direction': 'unwind', 'coil-spacing': '0.5', 'load-cycles': '1e5' } },
    { name: 'E typed, the arbor too large, EN', request: {
        torsion: true, check: true, 'elastic-modulus': '200000', 'wire-diameter': '1.6', 'mean-diameter': '12',
        'active-coils': '4', 'working-angle2': '120', 'arbor-diameter': '10', standard: 'en' } },
    { name: 'refused: a compression spring\'s option', request: Object.assign({ 'free-height': '40' }, kTorsion) },
    { name: 'refused: no working point', request: {
        torsion: true, material: '65Mn', 'wire-diameter': '2', 'mean-diameter': '16', 'active-coils': '6' } },
];

// A request as orsela-cli's options.
function optionArgsOf(request) {
    return Object.entries(request).filter(([, v]) => v !== false)
        .map(([k, v]) => (v === true ? '--' + k : `--${k}=${v}`));
}

// Fixed-seed generator: the same designs every run.
function seeded(seed) {
    let a = seed >>> 0;
    return () => {
        a = (a + 0x6d2b79f5) >>> 0;
        let t = a;
        t = Math.imul(t ^ (t >>> 15), t | 1);
        t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
        return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
    };
}

function generatedTorsion(random) {
    const pick = (list) => list[Math.floor(random() * list.length)];
    const d = pick([0.8, 1, 1.6, 2, 2.5, 3, 4, 5]);
    const D = (d * (3 + random() * 20)).toFixed(1);
    const request = { torsion: true, check: true, material: pick(['65Mn', 'EN 10270-1 SM', '70-C', '12Cr18Ni9']),
        'wire-diameter': String(d), 'mean-diameter': D, 'active-coils': (1 + random() * 20).toFixed(2),
        'leg-length1': String(Math.round(random() * 60)), 'leg-length2': String(Math.round(random() * 60)) };
    const points = [1, 2, 3].filter(() => random() < 0.6);
    if (random() < 0.5) {
        request['known-torques'] = true;
        let torque = 10 + random() * 200 * d * d * d;
        for (const i of points) {
            request['working-torque' + i] = torque.toFixed(1);
            torque *= 1.2 + random();
        }
    } else {
        let angle = 5 + random() * 60;
        for (const i of points) {
            request['working-angle' + i] = angle.toFixed(1);
            angle += 5 + random() * 150;
        }
    }
    if (random() < 0.4) {
        request['arbor-diameter'] = (Number(D) - d - random() * 2).toFixed(2);
    }
    if (random() < 0.3) {
        request['load-direction'] = 'unwind';
    }
    if (random() < 0.3) {
        request['load-cycles'] = pick(['1e3', '1e5', '1e7']);
    }
    return request;
}

describe('torsion springs: the page against orsela-cli --torsion', () => {
    for (const row of kTorsionDesigns) {
        test('judgeTorsion: ' + row.name, async () => {
            const got = await page.evaluate((r) => window.orsela.judgeTorsionDetails(r), row.request);
            const want = runCli([...optionArgsOf(row.request), '--format=json']);
            assert.equal(got.out, want.out);
            assert.equal(got.exitStatus, want.exitStatus);
        });
    }

    test('50 generated designs (fixed seed): the same JSON and exit status as the CLI', async () => {
        const random = seeded(32);
        const requests = Array.from({ length: 50 }, () => generatedTorsion(random));
        const got = await page.evaluate((rs) => rs.map((r) => window.orsela.judgeDetails(r)), requests);
        const statuses = new Set();
        requests.forEach((request, i) => {
            const want = runCli(['--design=' + designFile(request), '--format=json']);
            assert.equal(got[i].out, want.out, JSON.stringify(request));
            assert.equal(got[i].exitStatus, want.exitStatus, JSON.stringify(request));
            statuses.add(JSON.parse(want.out).status);
        });
        assert.ok(statuses.has('completed') && statuses.size > 1, 'completed and other outcomes both drawn');
    });

    const searches = [
        { name: 'one point, the grade\'s series', options: {
            material: 'EN 10270-1 SM', 'working-torque2': '800', 'working-angle2': '90', top: '3' } },
        { name: 'two points, legs, arbor and body length', options: {
            material: 'EN 10270-1 SM', 'working-torque1': '300', 'working-angle1': '30',
            'working-torque2': '900', 'working-angle2': '90', 'leg-length1': '20', 'leg-length2': '20',
            'arbor-diameter': '10', 'max-body-length': '30', 'wire-diameters': '1.6,2,2.5', top: '4' } },
        { name: 'none qualifies', options: {
            material: '65Mn', 'working-torque2': '800', 'working-angle2': '90', 'max-outer-diameter': '5' } },
        { name: 'a usage error', options: { material: '65Mn', 'working-torque2': '800' } },
    ];
    for (const c of searches) {
        test('searchTorsion: ' + c.name, async () => {
            const got = await page.evaluate((o) => window.orsela.searchTorsionDetails(o), c.options);
            const want = runCli(['search', '--torsion', '--format=json', ...optionArgsOf(c.options)]);
            assert.equal(got.out, want.out);
            assert.equal(got.exitStatus, want.exitStatus);
        });
    }

    test('searchTorsion reports its progress through the pairs', async () => {
        const seen = await page.evaluate(async () => {
            const passes = new Set();
            let last = null;
            await window.orsela.searchTorsion({ material: 'EN 10270-1 SM', 'working-torque2': '800',
                'working-angle2': '90' }, { onProgress: (p) => { passes.add(p.pass); last = p; } });
            return { passes: [...passes], last };
        });
        assert.deepEqual(seen.passes, [1]);
        assert.ok(seen.last.total > 0 && seen.last.done <= seen.last.total, JSON.stringify(seen.last));
    });

    test('engineeringReport and drawing: the bytes of --html-report and --drawing', async () => {
        // The CLI dates its report and sheet today: the same date in the page's.
        const dated = (t) => t.replace(/\d{4}(年|\xc4\xea)\d{2}(月|\xd4\xc2)\d{2}(日|\xc8\xd5)/g, 'DATE')
            .replace(/\d{4}\xe5\xb9\xb4\d{2}\xe6\x9c\x88\d{2}\xe6\x97\xa5/g, 'DATE');
        for (const row of kTorsionDesigns.slice(0, 3)) {
            const got = await page.evaluate((r) => {
                const options = { date: '2026年12月09日', titleBlock: { 图号: 'T-32' } };
                const bytes = (kind) => Array.from(window.orsela.drawing(r, kind, options).data);
                return { html: window.orsela.engineeringReport(r, options), dxf: bytes('dxf'), svg: bytes('svg') };
            }, row.request);
            const report = path.join(work, 'torsion.html');
            runCli([...optionArgsOf(row.request), '--html-report=' + report, '--title-block=图号=T-32']);
            assert.equal(dated(Buffer.from(got.html).toString('latin1')),
                dated(fs.readFileSync(report).toString('latin1')), row.name + ': report');
            for (const kind of ['dxf', 'svg']) {
                const file = path.join(work, 'torsion.' + kind);
                runCli([...optionArgsOf(row.request), '--drawing=' + file, '--title-block=图号=T-32']);
                assert.equal(dated(Buffer.from(got[kind]).toString('latin1')),
                    dated(fs.readFileSync(file).toString('latin1')), row.name + ': ' + kind);
            }
        }
        const refused = kTorsionDesigns.at(-1).request;
        assert.equal(await page.evaluate((r) => window.orsela.engineeringReport(r), refused), null);
        assert.equal(await page.evaluate((r) => window.orsela.drawing(r, 'svg').ok, refused), false);
    });

    test('designFile: the bytes of --torsion --save-design, read back as --design reads it', async () => {
        for (const row of kTorsionDesigns.slice(0, 3)) {
            const saved = await page.evaluate((r) => window.orsela.designFile(r), row.request);
            const file = path.join(work, 'torsion-saved.json');
            runCli([...optionArgsOf(row.request), '--save-design=' + file]);
            assert.equal(saved.text, fs.readFileSync(file, 'utf8'));
            const read = await page.evaluate((t) => window.orsela.readDesignFile(t, 't.json'), saved.text);
            assert.equal(read.request.torsion, true);
            assert.equal(await page.evaluate((r) => window.orsela.judgeTorsion(r), read.request),
                runCli(['--design=' + file, '--format=json']).out);
        }
    });
});

test('no request left the machine', () => {
    assert.deepEqual(outsideRequests, []);
});
