// 批量计算: a design table judged in a Web Worker, its result to download.
// The batch tab's options, as orsela-cli batch's: option, caption, kind.
const kBatchOptions = [
    ['check', '工程校核 (check)', 'switch'],
    ['with-inputs', '重复每行的输入 (with-inputs)', 'switch'],
    ['bom', 'CSV 开头写入字节顺序标记 (bom)', 'switch'],
    ['format', '输出格式', [['', 'CSV'], ['json', '每行一个 JSON 对象']]],
];

// ---- 批量计算 -------------------------------------------------------

let batchView = null;

const kStatusWords = { completed: '完成', stopped: '中止', refused: '拒绝', fault: '计算错误' };
const kShownRows = 500; // rows drawn in the table; the download holds them all

function buildBatchPanel(panel) {
    const chooser = fileChooser('wb-batch-file', '选择设计表 (CSV)…', '.csv,text/csv', () => {
        if (!batchView.abort) {
            forgetBatchResult();
            say(batchView.status, '', 'info');
        }
    });
    const input = chooser.input;
    const options = h('div', { className: 'wb-grid' }, kBatchOptions.map(([key, caption, kind]) =>
        field(state.batch, key, caption, '', kind).row));
    const run = button('计算', () => runBatch(), { id: 'wb-batch-run' });
    const cancel = button('取消', () => batchView.abort && batchView.abort.abort(),
        { id: 'wb-batch-cancel', disabled: true });
    const save = button('下载结果', () => saveBatch(), { id: 'wb-batch-save', disabled: true });
    const template = button('下载设计表模板', () => saveTemplate(), { id: 'wb-batch-template' });
    const progress = h('progress', { id: 'wb-batch-progress', max: '1', value: '0', 'aria-label': '计算进度' });
    const status = h('p', { className: 'wb-status', role: 'status', 'aria-live': 'polite' });
    const notes = h('ul', { className: 'wb-hints', id: 'wb-batch-notes' });
    const onlyProblems = h('input', { type: 'checkbox', id: 'wb-batch-problems' });
    onlyProblems.addEventListener('change', () => showRows());
    const rows = h('div', { className: 'wb-batch-rows' });
    panel.append(h('h2', { text: '批量计算' }),
        h('p', { className: 'wb-small', text: '设计表: CSV (UTF-8 或 Excel 在中文 Windows 上保存的 GBK), ' +
            '表头为选项名去掉 "--" (如 wire-diameter, extension), 每行一个设计。模板以窗口中的设计为第一行。' }),
        h('div', { className: 'wb-row' }, chooser.row, template),
        options, h('div', { className: 'wb-row' }, run, cancel, save, progress), status, notes,
        h('h3', { text: '结果' }),
        h('div', { className: 'wb-field wb-switch' }, h('label', { for: 'wb-batch-problems', text: '只看有问题的行 (未完成或有不合格)' }),
            onlyProblems),
        rows);
    batchView = { input, run, cancel, save, progress, status, notes, rows, onlyProblems, abort: null,
        result: null, table: [] };
}

function forgetBatchResult() {
    const v = batchView;
    v.result = null;
    v.table = [];
    v.save.disabled = true;
    v.notes.replaceChildren();
    v.rows.replaceChildren();
}

// The table's text as UTF-8, or as GBK (what Excel saves on a Chinese
// Windows) when its bytes are not UTF-8; null when they are neither.
async function readTable(file) {
    const bytes = await file.arrayBuffer();
    for (const [encoding, name] of [['utf-8', 'UTF-8'], ['gbk', 'GBK']]) {
        try {
            return { text: new TextDecoder(encoding, { fatal: true, ignoreBOM: true }).decode(bytes), name };
        } catch (error) {
            // not this encoding
        }
    }
    return null;
}

// Records of a table, for counting its designs before they are judged.
function tableRows(text) {
    const lines = text.split(/\r\n|\n|\r/);
    while (lines.length && lines[lines.length - 1] === '') {
        lines.pop();
    }
    return Math.max(0, lines.length - 1);
}

async function runBatch() {
    const v = batchView;
    if (v.abort) {
        return;
    }
    forgetBatchResult();
    const file = v.input.files[0];
    if (!file) {
        say(v.status, '请先选择设计表文件 (CSV)。', 'error');
        document.getElementById('wb-batch-file-button').focus();
        return;
    }
    const table = await readTable(file);
    if (table === null) {
        say(v.status, `文件“${file.name}”既不是 UTF-8 也不是 GBK 编码的文本: 请在 Excel 中另存为 ` +
            '“CSV UTF-8 (逗号分隔)”再打开。', 'error');
        return;
    }
    const total = tableRows(table.text);
    const read = `“${file.name}” (${table.name} 编码, ${total} 行)`;
    v.abort = new AbortController();
    v.run.disabled = true;
    v.cancel.disabled = false;
    v.progress.max = Math.max(total, 1);
    v.progress.value = 0;
    say(v.status, `正在计算${read}…`, 'info');
    try {
        const details = await api.batchDetails(table.text, Object.assign({}, state.batch), {
            signal: v.abort.signal,
            onProgress: ({ rows }) => {
                v.progress.value = rows;
                say(v.status, `正在计算${read}: 已判定 ${rows} / ${total} 行`, 'info');
            },
        });
        showBatch(details, file.name, read);
    } catch (error) {
        if (error && error.name === 'AbortError') {
            say(v.status, '计算已取消, 没有结果。', 'info');
        } else {
            say(v.status, '计算出错: ' + (error && error.message ? error.message : error), 'error');
        }
    } finally {
        v.abort = null;
        v.run.disabled = false;
        v.cancel.disabled = true;
        v.progress.value = 0;
    }
}

// What the run says on stderr, in the page's words: the count of the rows
// by their end, and the notes (a refused table, a material file's problems).
function batchTold(err) {
    const lines = err.split('\n').map((l) => l.replace(/^orsela-cli( batch)?: /, '')).filter((l) => l.trim());
    const counted = lines.findIndex((l) => /^\d+ 行: 完成 /.test(l));
    return { count: counted >= 0 ? lines[counted] : null, notes: lines.filter((l, i) => i !== counted) };
}

function showBatch(details, inputName, read) {
    const v = batchView;
    const told = batchTold(details.err);
    if (told.count === null) {
        say(v.status, `${read}没有计算: ` + (told.notes[0] || '设计表或选项有误。'), 'error');
        v.notes.replaceChildren(...told.notes.slice(1).map((l) => h('li', { text: l })));
        return;
    }
    say(v.status, `${read}: ${told.count.replace(/^(\d+) 行: /, '$1 行已判定: ')}`,
        details.exitStatus === 0 ? 'ok' : 'warning');
    v.notes.replaceChildren(...told.notes.map((l) => h('li', { text: l })));
    const json = state.batch.format === 'json';
    v.result = { data: details.out, name: inputName.replace(/\.[^.]*$/, '') +
        (json ? '-结果.jsonl' : '-结果.csv'), type: json ? 'application/x-ndjson' : 'text/csv' };
    v.save.disabled = details.out === '';
    if (details.out === '') {
        v.result = null;
    }
    v.table = json ? jsonRows(details.out) : csvRows(details.out);
    v.torsion = /AngularRate/.test(details.out);
    showRows();
}

// One CSV record a line but for quoted fields, which may hold anything.
function parseCsv(text) {
    const records = [];
    let record = [];
    let cell = '';
    let quoted = false;
    for (let i = text.charCodeAt(0) === 0xfeff ? 1 : 0; i < text.length; ++i) {
        const c = text[i];
        if (quoted) {
            if (c === '"' && text[i + 1] === '"') {
                cell += '"';
                ++i;
            } else if (c === '"') {
                quoted = false;
            } else {
                cell += c;
            }
        } else if (c === '"') {
            quoted = true;
        } else if (c === ',') {
            record.push(cell);
            cell = '';
        } else if (c === '\n' || c === '\r') {
            if (c === '\r' && text[i + 1] === '\n') {
                ++i;
            }
            record.push(cell);
            records.push(record);
            record = [];
            cell = '';
        } else {
            cell += c;
        }
    }
    if (cell !== '' || record.length) {
        record.push(cell);
        records.push(record);
    }
    return records;
}

// The result's rows as the table shows them, from the CSV or the JSON lines.
function csvRows(text) {
    const [header, ...records] = parseCsv(text);
    if (!header) {
        return [];
    }
    const at = (name) => header.indexOf(name);
    const verdictColumns = header.map((name, i) => (name.endsWith('.verdict') ? i : -1)).filter((i) => i >= 0);
    // With the byte order mark the verdicts are written in words, as Excel users read them.
    const ids = new Map(Object.entries(kVerdicts).map(([id, [, word]]) => [word, id]));
    // A torsion row leaves the other kinds' columns empty and fills its own.
    const either = (r, ...names) => names.map((n) => r[at(n)]).find((x) => x) || '';
    return records.map((r) => ({
        row: r[at('row')], status: r[at('status')], message: r[at('message')],
        freeHeight: either(r, 'FreeHeight', 'FreeBodyLength'), rate: either(r, 'SpringRate', 'AngularRate'),
        stress: either(r, 'MaxShearStress', 'BendingStress3', 'BendingStress2', 'BendingStress1'),
        verdicts: verdictColumns.map((i) => ids.get(r[i]) || r[i]).filter((x) => x),
    }));
}

function jsonRows(text) {
    return text.split('\n').filter((l) => l.trim()).map((l) => {
        const o = JSON.parse(l);
        const results = o.results || {};
        return { row: String(o.row), status: o.status, message: o.message,
            freeHeight: results.FreeHeight || results.FreeBodyLength, rate: results.SpringRate || results.AngularRate,
            stress: results.MaxShearStress || results.BendingStress3 || results.BendingStress2 || results.BendingStress1,
            verdicts: (o.checks || []).map((c) => c.verdict) };
    });
}

function worstVerdict(verdicts) {
    return ['fail', 'warning', 'ok'].find((k) => verdicts.includes(k)) || null;
}

function showRows() {
    const v = batchView;
    const problem = (r) => r.status !== 'completed' || r.verdicts.includes('fail');
    const wanted = v.onlyProblems.checked ? v.table.filter(problem) : v.table;
    if (v.table.length === 0) {
        v.rows.replaceChildren();
        return;
    }
    const shown = wanted.slice(0, kShownRows);
    const body = shown.map((r) => {
        const worst = worstVerdict(r.verdicts);
        const fails = r.verdicts.filter((x) => x === 'fail').length;
        return h('tr', { 'data-status': r.status, 'data-verdict': worst },
            h('th', { scope: 'row', text: r.row }), cell(kStatusWords[r.status] || r.status, 'wb-batch-state'),
            cell(r.freeHeight || '—', 'wb-num'), cell(r.rate || '—', 'wb-num'), cell(r.stress || '—', 'wb-num'),
            cell(worst === null ? '—' : kVerdicts[worst].join(' ') + (fails > 1 ? ` (${fails} 项)` : ''),
                'wb-verdict'),
            cell(r.message || ''));
    });
    fill(v.rows, tall(scrollBox(table(['行', '状态', v.torsion ? 'H0 或扭转弹簧体长 (mm)' : '自由高度 H0 (mm)',
        v.torsion ? "刚度 (N/mm) 或 T' (N·mm/°)" : '刚度 (N/mm)',
        v.torsion ? '最大切应力 τ 或弯曲应力 σ (MPa)' : '最大切应力 (MPa)',
        '校核结论', '说明'], body))),
    wanted.length > kShownRows ? h('p', { className: 'wb-small', text:
        `只显示前 ${kShownRows} 行 (共 ${wanted.length} 行); 全部见下载的结果。` }) : null,
    wanted.length === 0 ? h('p', { className: 'wb-small', text: '没有有问题的行。' }) : null);
}

function saveBatch() {
    const r = batchView.result;
    if (r) {
        download(r.data, r.name, r.type);
    }
}

// A table to start from: the window's design as its first row, under the
// columns a designer fills in; with the byte order mark Excel needs.
function saveTemplate() {
    const torsion = torsionKind();
    const request = torsion ? torsionRequest() : win.request();
    // A torsion spring's table: its own columns, the panel's design first.
    const columns = torsion ? ['torsion', ...kTorsionOptions.map(([o]) => o), 'tensile-strength', 'check'] :
        ['material', 'extension', 'known-loads', ...api.fields().map((f) => f.option)
            .filter((o) => o !== 'material'), 'check', 'load-cycles'];
    const value = (key) => {
        const x = request[key];
        return x === true ? '1' : typeof x === 'string' ? x : '';
    };
    const quoted = (text) => (/[",\r\n]/.test(text) ? '"' + text.replace(/"/g, '""') + '"' : text);
    const lines = [columns, columns.map((key) => (key === 'check' ? '1' : value(key)))];
    download('\uFEFF' + lines.map((l) => l.map(quoted).join(',')).join('\r\n') + '\r\n',
        torsion ? '扭转弹簧设计表模板.csv' : '设计表模板.csv', 'text/csv');
}
