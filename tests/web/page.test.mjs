// The web page in Debian's headless Chromium, opened from its file as a user
// would: results, warnings, field checks, switches, Tab order, the report
// against orsela-cli's, and not one request to the network.
//
// ORSELA_WEB_DIR: the built page (build-web/web); ORSELA_CLI: orsela-cli.
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { after, before, describe, test } from 'node:test';

import { builtPage, clickAndSettle, settled as windowSettled, typeAndLeave } from './built_page.mjs';
import { launchChromium } from './chromium.mjs';

const { pageDir, cli, pageUrl } = builtPage();

let browser;
let page;
let work;
const outsideRequests = [];
const scriptDialogs = [];

before(async () => {
    work = fs.mkdtempSync(path.join(os.tmpdir(), 'orsela-web-test-'));
    browser = await launchChromium(path.join(work, 'profile'));
    page = await browser.newPage();
    page.on('request', (request) => {
        const url = request.url();
        if (!/^(file|data|blob):/.test(url)) {
            outsideRequests.push(url);
        }
    });
    page.on('dialog', async (dialog) => {
        scriptDialogs.push(dialog.type() + ': ' + dialog.message());
        await dialog.dismiss();
    });
    page.on('pageerror', (error) => {
        throw error;
    });
    const session = await page.createCDPSession();
    await session.send('Browser.setDownloadBehavior', {
        behavior: 'allow',
        downloadPath: path.join(work, 'downloads'),
    });
});

after(async () => {
    await browser?.close();
    fs.rmSync(work, { recursive: true, force: true });
});

// ---- driving the page ---------------------------------------------------

async function open() {
    await page.goto(pageUrl);
    await page.waitForFunction(() => document.documentElement.dataset.ready === 'true');
}

const settled = () => windowSettled(page);

async function value(name) {
    return page.$eval('#' + name, (e) => e.value);
}

async function values(names) {
    return page.evaluate((list) => list.map((n) => document.getElementById(n).value), names);
}

async function isEnabled(name) {
    return page.$eval('#' + name, (e) => !e.disabled);
}

async function focused() {
    return page.evaluate(() => document.activeElement.id);
}

async function inputInvalid() {
    return page.evaluate(() => window.orselaForm.inputInvalid());
}

// The open box, or null when none is open once everything has run.
async function openBox() {
    await settled();
    return page.evaluate(() => {
        const box = document.getElementById('box');
        if (!box.open) {
            return null;
        }
        return {
            title: box.querySelector('.box-title').textContent,
            text: box.querySelector('.box-text').textContent,
            kind: box.dataset.kind,
        };
    });
}

async function closeBox() {
    await page.click('#box .box-ok');
    await settled();
}

// Every box until none is left, closed one by one.
async function boxes() {
    const shown = [];
    for (let box = await openBox(); box !== null; box = await openBox()) {
        shown.push(box);
        await closeBox();
    }
    return shown;
}

// Enter a field (its whole text selected), type, and leave it with Tab.
const typeInto = (name, text) => typeAndLeave(page, name, text);
const click = (name) => clickAndSettle(page, name);

const kResultFields = ['Text13', 'Text9', 'Text8', 'Text7', 'Text12', 'Text11', 'Text10', 'Text16',
    'Text15', 'Text14', 'Text18', 'Text22', 'Text21', 'Text17', 'Text20', 'Text23'];

function withCrLf(text) {
    return text.replace(/\r\n/g, '\n');
}

// ---- the tests ------------------------------------------------------------

describe('Calculate', () => {
    const designs = [
        {
            name: 'the sample design',
            steps: [],
            results: ['44.0', '40.0', '36.0', '28.0', '92.128', '184.257', '368.513', '7.000',
                '1.213', '23.032', '8.000', '571.8', '1.571', '26.0', '497.944', '5.197'],
            totalCoils: '6.5',
        },
        {
            name: 'the extension example with known loads',
            steps: [['click', 'Option2'], ['click', 'Option4'], ['type', 'Text24', '50'],
                ['type', 'Text12', '100'], ['type', 'Text11', '200'], ['type', 'Text10', '300']],
            results: ['72.0', '74.2', '78.5', '82.9', '100.000', '200.000', '300.000', '7.000',
                '1.213', '23.032', '4.000', '615.8', '0.000', '0.0', '405.368', '2.604'],
            totalCoils: '5',
        },
    ];
    for (const design of designs) {
        test(design.name + ': the sixteen results, no box, Save enabled', async () => {
            await open();
            for (const [kind, name, text] of design.steps) {
                await (kind === 'click' ? click(name) : typeInto(name, text));
            }
            assert.equal(await isEnabled('Command2'), false);
            await click('Command1');
            assert.deepEqual(await boxes(), []);
            assert.deepEqual(await values(kResultFields), design.results);
            assert.equal(await value('Text19'), design.totalCoils);
            assert.equal(await isEnabled('Command2'), true);
        });
    }

    test('Enter in a text field runs Calculate', async () => {
        await open();
        await page.focus('#Text5');
        await page.keyboard.press('Enter');
        await settled();
        assert.equal(await value('Text20'), '497.944');
    });

    const warnings = [
        { steps: [['type', 'Text19', '6']], text: '压缩弹簧总圈数不允许过少或过多!' },
        {
            steps: [['click', 'Option2'], ['type', 'Text18', '3.9']],
            text: '拉伸弹簧的节距不允许小于材料直径!',
        },
        {
            steps: [['type', 'Text9', '45']],
            text: '压缩弹簧的工作高度大于自由高度!\r\n请输入合适的工作高度或工作载荷!',
        },
        { steps: [['type', 'Text7', '26']], text: '最大工作载荷下,弹簧被压并!\r\n请调整弹簧参数!' },
        {
            steps: [['click', 'Option2']],
            text: '拉伸弹簧的工作高度小于自由高度!\r\n请输入合适的工作高度或工作载荷!',
        },
    ];
    for (const warning of warnings) {
        test('stops at "' + warning.text.split('\r\n')[0] + '" with the results untouched', async () => {
            await open();
            for (const [kind, name, text] of warning.steps) {
                await (kind === 'click' ? click(name) : typeInto(name, text));
            }
            await click('Command1');
            assert.deepEqual(await boxes(), [
                { title: 'Orsela', text: withCrLf(warning.text), kind: 'warning' },
            ]);
            assert.equal(await value('Text16'), '0');
            assert.equal(await value('Text20'), '0');
            assert.equal(await isEnabled('Command2'), false);
        });
    }

    test('the stress warning, then the results once it is closed', async () => {
        await open();
        await typeInto('Text3', '400');
        await click('Command1');
        assert.deepEqual(await openBox(), {
            title: 'Orsela',
            text: '注意!\n最大工作载荷下,弹簧最大切应力大于许用切应力!\n建议调整弹簧参数!',
            kind: 'warning',
        });
        assert.equal(await value('Text20'), '0');
        await closeBox();
        assert.equal(await value('Text20'), '497.944');
        assert.equal(await isEnabled('Command2'), true);
    });

    test('a field a switch has disabled with letters in it: named by its caption', async () => {
        await open();
        await page.focus('#Text13');
        await page.keyboard.press('Backspace');
        await page.keyboard.type('abc');
        await click('Option2');
        assert.deepEqual(await boxes(), [{ title: 'Orsela', text: '请输入一个数值!', kind: 'warning' }]);
        assert.equal(await isEnabled('Text13'), false);
        await typeInto('Text5', '28');
        await click('Command1');
        assert.deepEqual(await boxes(), [
            {
                title: 'Orsela',
                text: '“自由高度”不是一个数值 (类型不匹配)。\n这一栏现在不能编辑: 请先切换弹簧类型或已知条件, 改正后再计算。',
                kind: 'error',
            },
        ]);
        assert.equal(await value('Text13'), 'abc');
        assert.equal(await value('Text16'), '0');
    });

    test('a design the formulas cannot evaluate: its box, and the window goes on', async () => {
        await open();
        await typeInto('Text6', '28');
        await click('Command1');
        assert.deepEqual(await boxes(), [{ title: 'Orsela', text: '曲度系数: 弹簧中径等于材料直径 (除数为零)', kind: 'error' }]);
        assert.equal(await value('Text6'), '28');
        await typeInto('Text6', '4');
        await click('Command1');
        assert.equal(await value('Text20'), '497.944');
    });
});

describe('field checks', () => {
    // Text5 refuses zero, Text12 (enabled with the known loads) accepts it.
    const kNotNumeric = '请输入一个数值!';
    const table = [
        { text: '', Text5: kNotNumeric, Text12: kNotNumeric },
        { text: 'abc', Text5: kNotNumeric, Text12: kNotNumeric },
        { text: '0', Text5: '请输入一个合适的弹簧中径!', Text12: null },
        { text: '-1', Text5: '请输入一个合适的弹簧中径!', Text12: '请输入一个合适的工作载荷!' },
        { text: '1e3', Text5: null, Text12: null },
    ];
    for (const row of table) {
        for (const field of ['Text5', 'Text12']) {
            test(`"${row.text}" in ${field}`, async () => {
                await open();
                if (field === 'Text12') {
                    await click('Option4');
                }
                await typeInto(field, row.text);
                const expected = row[field];
                if (expected === null) {
                    assert.equal(await openBox(), null);
                    assert.equal(await inputInvalid(), false);
                    assert.notEqual(await focused(), field);
                    return;
                }
                assert.deepEqual(await openBox(), { title: 'Orsela', text: expected, kind: 'warning' });
                assert.equal(await inputInvalid(), true);
                await closeBox();
                assert.equal(await focused(), field);
                assert.equal(await value(field), row.text); // never corrected
                const selected = await page.$eval('#' + field,
                    (e) => e.value.slice(e.selectionStart, e.selectionEnd));
                assert.equal(selected, row.text);
                // Calculate leaves the field: its check again, and nothing more.
                await click('Command1');
                assert.deepEqual(await boxes(), [{ title: 'Orsela', text: expected, kind: 'warning' }]);
                assert.equal(await focused(), field);
                assert.equal(await value('Text16'), '0');
            });
        }
    }

    test('About after a passed check: nine lines, titled 关于 Orsela', async () => {
        await open();
        await typeInto('Text5', 'x');
        await boxes();
        await typeInto('Text5', '28');
        await click('Command4');
        const [about] = await boxes();
        assert.equal(about.title, '关于 Orsela');
        assert.equal(about.kind, 'information');
        const lines = about.text.split('\n');
        assert.equal(lines.length, 9);
        assert.equal(lines[0], 'Orsela    属于Quorlan自定义函数系列程序');
        assert.equal(lines[8], '  同时特别感谢曾经给“Quorlan自定义函数系列程序”提出中肯改进意见的各位同仁。');
    });
});

describe('switches', () => {
    const governed = ['Text13', 'Text18', 'Text24', 'Text19', 'Text17', 'Text21', 'Text9', 'Text8',
        'Text7', 'Text12', 'Text11', 'Text10'];
    const table = [
        { steps: [], enabled: '100111111000', texts: '26.0 1.571 0' },
        { steps: ['Option2', 'Text24=7'], enabled: '011000111000', texts: '0 0 7' },
        { steps: ['Option2', 'Text24=7', 'Option1'], enabled: '100111111000', texts: '0 0 0' },
        { steps: ['Option4'], enabled: '100111000111', texts: '26.0 1.571 0' },
        { steps: ['Option2', 'Text24=7', 'Option4', 'Option3'], enabled: '011000111000', texts: '0 0 7' },
    ];
    for (const row of table) {
        test(`after Calculate, ${row.steps.join(', ') || 'no switch'}`, async () => {
            await open();
            await click('Command1');
            for (const step of row.steps) {
                const [name, text] = step.split('=');
                await (text === undefined ? click(name) : typeInto(name, text));
            }
            const enabled = await page.evaluate(
                (names) => names.map((n) => (document.getElementById(n).disabled ? '0' : '1')).join(''),
                governed);
            assert.equal(enabled, row.enabled);
            assert.equal((await values(['Text17', 'Text21', 'Text24'])).join(' '), row.texts);
            // Never touched by a switch: the other results and Save.
            assert.equal(await value('Text20'), '497.944');
            assert.equal(await isEnabled('Command2'), true);
        });
    }
});

describe('keyboard', () => {
    const table = [
        {
            state: 'compression, known heights',
            clicks: [],
            order: ['Option1', 'Text1', 'Text2', 'Text3', 'Text6', 'Text5', 'Text4', 'Text19',
                'Option3', 'Text9', 'Text8', 'Text7', 'Text13', 'Command1', 'Command3', 'Text16',
                'Text15', 'Text14', 'Text23', 'Text22', 'Text21', 'Text17', 'Text20', 'Command4'],
        },
        {
            state: 'extension, known loads, after Calculate',
            clicks: ['Option2', 'Option4', 'Command1'],
            order: ['Option2', 'Text1', 'Text2', 'Text3', 'Text6', 'Text5', 'Text4', 'Option4',
                'Text12', 'Text11', 'Text10', 'Text18', 'Text24', 'Command1', 'Command2',
                'Command3', 'Text16', 'Text15', 'Text14', 'Text23', 'Text22', 'Text20', 'Command4'],
        },
    ];
    for (const row of table) {
        test('Tab order, ' + row.state + ', wrapping to the first', async () => {
            await open();
            for (const name of row.clicks) {
                await click(name);
            }
            await boxes();
            await page.focus('#' + row.order[0]);
            const seen = [await focused()];
            for (let i = 0; i < row.order.length; ++i) {
                await page.keyboard.press('Tab');
                await settled();
                seen.push(await focused());
            }
            assert.deepEqual(seen, [...row.order, row.order[0]]);
            assert.deepEqual(await boxes(), []);
        });
    }

    test('access keys: Alt+S does nothing while Save is disabled, Alt+C calculates', async () => {
        await open();
        await page.focus('#Text5');
        for (const key of ['s', 'c']) {
            await page.keyboard.down('Alt');
            await page.keyboard.press(key);
            await page.keyboard.up('Alt');
            await settled();
        }
        assert.deepEqual(await boxes(), []);
        assert.equal(await value('Text5'), '28');
        assert.equal(await value('Text20'), '497.944');
        assert.equal(await isEnabled('Command2'), true);
    });

    test('Exit (Esc) shows the designed window again', async () => {
        await open();
        const designed = await page.evaluate(() => Array.from(document.querySelectorAll('input'),
            (e) => [e.id, e.value, e.disabled, e.checked]));
        await click('Option2');
        await click('Option4');
        await typeInto('Text1', '65Mn');
        await click('Command1');
        await boxes();
        await page.keyboard.press('Escape');
        await settled();
        const now = await page.evaluate(() => Array.from(document.querySelectorAll('input'),
            (e) => [e.id, e.value, e.disabled, e.checked]));
        assert.deepEqual(now, designed);
        assert.equal(await isEnabled('Command2'), false);
        assert.equal(await focused(), 'Option1');
    });
});

describe('Save', () => {
    const designs = [
        { name: 'sample', steps: [], args: [] },
        {
            name: 'extension, known loads',
            steps: [['click', 'Option2'], ['click', 'Option4'], ['type', 'Text24', '50'],
                ['type', 'Text12', '100'], ['type', 'Text11', '200'], ['type', 'Text10', '300']],
            args: ['--extension', '--known-loads', '--initial-tension=50', '--working-load1=100',
                '--working-load2=200', '--working-load3=300'],
        },
    ];
    for (const design of designs) {
        test(`the downloaded report equals orsela-cli --report, ${design.name}`, async () => {
            const downloads = path.join(work, 'downloads');
            fs.rmSync(downloads, { recursive: true, force: true });
            await open();
            for (const [kind, name, text] of design.steps) {
                await (kind === 'click' ? click(name) : typeInto(name, text));
            }
            await click('Command1');
            await click('Command2');
            const saved = path.join(downloads, 'Orsela结果.doc');
            await waitForFile(saved);
            const fromCli = path.join(work, 'cli.doc');
            execFileSync(cli, [...design.args, '--report=' + fromCli], { stdio: 'ignore' });
            const today = new Date();
            const cliDate = `${today.getFullYear()}年${String(today.getMonth() + 1).padStart(2, '0')}月` +
                `${String(today.getDate()).padStart(2, '0')}日`;
            const pageDate = await page.evaluate(() => window.orselaForm.reportDate());
            assert.equal(pageDate, cliDate, 'both are dated today (unless the run crossed midnight)');
            const cliBytes = fs.readFileSync(fromCli);
            assert.ok(fs.readFileSync(saved).equals(cliBytes), 'the two reports differ');
        });
    }
});

test('a material GBK cannot hold: the desktop\'s message, and nothing downloaded', async () => {
    const downloads = path.join(work, 'downloads');
    fs.rmSync(downloads, { recursive: true, force: true });
    await open();
    await typeInto('Text1', '70-C😀');
    await click('Command1');
    await click('Command2');
    assert.deepEqual(await boxes(), [{
        title: 'Orsela',
        text: '无法保存计算书“Orsela结果.doc”: 字符“😀”(U+1F600) 不能用 GBK 编码保存, 文件未写入。' +
            '请修改弹簧材料中的这个字符',
        kind: 'warning',
    }]);
    await new Promise((resolve) => setTimeout(resolve, 300));
    assert.equal(fs.existsSync(downloads) && fs.readdirSync(downloads).length > 0, false);
});

async function waitForFile(file) {
    for (let waited = 0; waited < 10000; waited += 50) {
        if (fs.existsSync(file) && !fs.existsSync(file + '.crdownload') && fs.statSync(file).size > 0) {
            return;
        }
        await new Promise((resolve) => setTimeout(resolve, 50));
    }
    assert.fail('no download of ' + path.basename(file));
}

test('every unit label keeps inside its frame, in any page width', async () => {
    for (const width of [1400, 360]) {
        await page.setViewport({ width, height: 800 });
        await open();
        await page.evaluate(() => document.fonts.ready);
        const outside = await page.evaluate(() => [...document.querySelectorAll('#client .unit')]
            .map((unit) => {
                const frame = unit.parentElement;
                const border = parseFloat(getComputedStyle(frame).borderRightWidth) || 0;
                const right = frame.getBoundingClientRect().right - border;
                // The text's own extent, as drawn (a narrowing transform included).
                const range = document.createRange();
                range.selectNodeContents(unit);
                return { unit: unit.id, over: range.getBoundingClientRect().right - right };
            })
            .filter((u) => u.over > 0.5));
        assert.deepEqual(outside, [], 'width ' + width);
    }
    await page.setViewport({ width: 1400, height: 900 });
});

describe('the whole run', () => {
    test('no request to the network, no alert()', () => {
        assert.deepEqual(outsideRequests, []);
        assert.deepEqual(scriptDialogs, []);
    });
});
