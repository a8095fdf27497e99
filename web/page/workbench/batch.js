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
    const progress = h('progress', { id: 'wb-batch-progress', max: '1', value: '0', 'aria-label': '计算进度' });
    const status = h('p', { className: 'wb-status', role: 'status', 'aria-live': 'polite' });
    const summary = h('pre', { className: 'wb-pre', id: 'wb-batch-summary' });
    const preview = h('pre', { className: 'wb-pre', id: 'wb-batch-preview' });
    panel.append(h('h2', { text: '批量计算' }),
        h('p', { className: 'wb-small', text: '设计表: CSV (UTF-8), 表头为选项名去掉 "--" (如 wire-diameter, extension), 每行一个设计。' }),
        chooser.row,
        options, h('div', { className: 'wb-row' }, run, cancel, save, progress), status,
        h('h3', { text: '标准错误输出' }), summary, h('h3', { text: '结果 (前 20 行)' }), scrollBox(preview));
    batchView = { input, run, cancel, save, progress, status, summary, preview, abort: null, result: null };
}

function forgetBatchResult() {
    const v = batchView;
    v.result = null;
    v.save.disabled = true;
    v.summary.textContent = '';
    v.preview.textContent = '';
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
    const text = await readTextOrSay(file, true, v.status,
        `文件“${file.name}”含有不是 UTF-8 的字节: 请另存为 UTF-8 编码的 CSV 再打开。`);
    if (text === null) {
        return;
    }
    v.abort = new AbortController();
    v.run.disabled = true;
    v.cancel.disabled = false;
    v.save.disabled = true;
    v.result = null;
    v.summary.textContent = '';
    v.preview.textContent = '';
    v.progress.removeAttribute('value');
    say(v.status, `正在计算“${file.name}”…`, 'info');
    try {
        const details = await api.batchDetails(text, Object.assign({}, state.batch), {
            signal: v.abort.signal,
            onProgress: ({ rows }) => say(v.status, `正在计算“${file.name}”: 已判定 ${rows} 行`, 'info'),
        });
        showBatch(details, file.name);
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

function showBatch(details, inputName) {
    const v = batchView;
    const meaning = { 0: '每行都已判定', 2: '有行被拒绝, 或设计表读取失败, 或选项有误', 4: '输出写入失败' };
    say(v.status, `“${inputName}”退出状态 ${details.exitStatus}: ${meaning[details.exitStatus] || ''}`,
        details.exitStatus === 0 ? 'ok' : 'warning');
    v.summary.textContent = details.err.replace(/^orsela-cli: /gm, '');
    v.preview.textContent = details.out.split('\n').slice(0, 20).join('\n');
    const json = state.batch.format === 'json';
    v.result = { data: details.out, name: inputName.replace(/\.[^.]*$/, '') +
        (json ? '-结果.jsonl' : '-结果.csv'), type: json ? 'application/x-ndjson' : 'text/csv' };
    v.save.disabled = details.out === '';
    if (details.out === '') {
        v.result = null;
    }
}

function saveBatch() {
    const r = batchView.result;
    if (r) {
        download(r.data, r.name, r.type);
    }
}
