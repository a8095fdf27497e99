// 文件与报告: design files, the engineering report, the drawings, the title
// block and the data the page keeps.
const kFileOptions = [
    ['date', '日期 (yyyy年mm月dd日, 不给: 今天)', null],
    ['precisionGrade', '精度等级 (GB/T 1239)', [['', '2 级'], ['1', '1 级'], ['3', '3 级']]],
    ['dxfVersion', 'DXF 版本', [['', '2007 (UTF-8)'], ['2000', '2000 (GBK)']]],
];
const kTitleBlock = [['图号', ''], ['零件名称', ''], ['数量', ''], ['单位', ''], ['设计', ''],
    ['校对', ''], ['审核', ''], ['旋向', ['', '右', '左']], ['表面处理', ''],
    ['强压', ['', '是', '否']], ['喷丸', ['', '是', '否']]];

// ---- 文件与报告 -----------------------------------------------------

let filesView = null;

function buildFilesPanel(panel) {
    const status = h('p', { className: 'wb-status', role: 'status', 'aria-live': 'polite' });
    const stamp = h('p', { className: 'wb-stale', role: 'status' });
    const opener = fileChooser('wb-design-file', '打开设计文件…', '.json,application/json',
        (input) => openDesign(input, status));
    const files = state.files;
    files.titleBlock = files.titleBlock || {};
    const titleBlock = h('div', { className: 'wb-grid' }, kTitleBlock.map(([key, choices]) =>
        field(files.titleBlock, key, key, '', Array.isArray(choices) ?
            choices.map((c) => [c, c || '—']) : null, previewSoon).row));
    const drawingOptions = h('div', { className: 'wb-grid' }, kFileOptions.map(([key, caption, choices]) =>
        field(files, key, caption, '', choices, previewSoon).row));
    // What will print, before it is printed: the drawing and the report as
    // they would download (the report in a frame that runs nothing).
    const drawing = h('div', { className: 'wb-drawing', id: 'wb-drawing-preview' });
    const report = h('iframe', { className: 'wb-report-preview', id: 'wb-report-preview', sandbox: '',
        title: '工程计算书预览' });
    const preview = h('details', { className: 'wb-details', id: 'wb-preview' },
        h('summary', { text: '预览: 工作图与计算书' }), h('h4', { text: '工作图' }), drawing,
        h('h4', { text: '工程计算书' }), report);
    preview.addEventListener('toggle', () => showPreview());
    panel.append(h('h2', { text: '文件与报告' }),
        h('h3', { text: '设计文件' }),
        h('div', { className: 'wb-row' },
            opener.row,
            button('保存设计 (设计.json)', () => saveDesign(status), { id: 'wb-design-save' })),
        h('h3', { text: '工程计算书与工作图 (上次计算的设计, 用校核页的选项)' }), stamp,
        h('div', { className: 'wb-row' },
            button('在新窗口中打开计算书 (打印)', () => openReport(status), { id: 'wb-report-open' }),
            button('下载计算书 (HTML)', () => saveReport(status), { id: 'wb-report-save' }),
            button('下载工作图 (DXF)', () => saveDrawing('dxf', status), { id: 'wb-drawing-dxf' }),
            button('下载工作图 (SVG)', () => saveDrawing('svg', status), { id: 'wb-drawing-svg' })),
        status, preview,
        h('details', { className: 'wb-details' }, h('summary', { text: '标题栏与图样选项 (计算书与工作图共用)' }),
            drawingOptions, titleBlock),
        h('h3', { text: '浏览器中保存的数据' }),
        h('p', { className: 'wb-small', text: '工作台的选项、自有牌号、质保书 Rm 和上次的设计保存在本浏览器中。' }),
        button('清除保存的数据', () => clearSavedData(), { id: 'wb-clear-saved' }));
    filesView = { status, stamp, preview, drawing, report };
    shown.files = () => {
        showStale(stamp);
        showPreview();
    };
}

let previewFrame = 0;
function previewSoon() {
    cancelAnimationFrame(previewFrame);
    previewFrame = requestAnimationFrame(() => showPreview());
}

function showPreview() {
    const v = filesView;
    if (!v.preview.open || state.tab !== 'files') {
        return; // drawn when it is opened
    }
    const request = documentRequest();
    const drawn = request ? api.drawing(request, 'svg', drawingOptions()) : null;
    const html = request ? api.engineeringReport(request, drawingOptions()) : null;
    const none = torsionKind() ? '扭转弹簧面板中的设计未能计算。' : request ?
        '上次计算的设计按现在的校核选项不能完成。' : '尚无完成的计算: 请先在窗口中按“计算”。';
    fill(v.drawing, drawn && drawn.ok ? svgFigure(new TextDecoder().decode(drawn.data), '工作图') :
        h('p', { text: drawn ? '工作图未生成: ' + drawn.message : none }));
    v.report.srcdoc = html === null ? `<p>${none}</p>` : html;
}

async function openDesign(input, status) {
    const file = input.files[0];
    input.value = '';
    if (!file) {
        return;
    }
    const text = await readTextOrSay(file, false, status,
        `文件“${file.name}”不是 UTF-8 文本, 未打开。`);
    if (text === null) {
        return;
    }
    const read = api.readDesignFile(text, file.name);
    if (!read.ok) {
        say(status, read.message, 'error');
        return;
    }
    if (read.request.torsion) {
        putIntoTorsionPanel(read.request);
        say(status, `已打开“${file.name}”: 扭转弹簧的设计已填入扭转弹簧面板。`, 'ok');
        return;
    }
    if (torsionKind()) {
        chooseKind('window'); // a compression or extension spring's file goes to the window
        document.getElementById('wb-kind-window').checked = true;
    }
    const request = Object.assign({}, read.request);
    // The reader fills in the defaults of the options a file leaves out:
    // only the check options the file itself holds are carried.
    let written = request;
    try {
        written = JSON.parse(text);
    } catch (error) {
        // read as the CLI reads it, not as JSON.parse does: all it holds
    }
    for (const [option] of kCheckOptions) {
        if (!isObject(written) || !Object.hasOwn(written, option)) {
            delete request[option];
        }
    }
    if (request['from-material']) {
        // The window has no such switch: G and [τ] as the file would take them.
        const taken = JSON.parse(api.judge(request)).inputs_from_material || {};
        if (taken.ShearModulus !== undefined && request['shear-modulus'] === undefined) {
            request['shear-modulus'] = String(taken.ShearModulus);
        }
        if (taken.AllowableShearStress !== undefined && request['allowable-shear-stress'] === undefined) {
            request['allowable-shear-stress'] = String(taken.AllowableShearStress);
        }
    }
    if (await putIntoWindow(request, status)) {
        say(status, `已打开“${file.name}”: 设计已填入窗口, 校核选项已填入校核页; 可以按“计算”(Alt+C)。`, 'ok');
    }
}

function saveDesign(status) {
    const saved = api.designFile(torsionKind() ? torsionRequest() : checkRequest(win.request()));
    if (!saved.ok) {
        say(status, '设计未保存: ' + saved.message, 'error');
        return;
    }
    download(saved.text, '设计.json', 'application/json');
    say(status, '已下载“设计.json”。', 'ok');
}

// The design the report and the drawing are of: the torsion panel's, or
// the window's last completed calculation.
function documentRequest() {
    return torsionKind() ? torsionRequest() : lastRequest();
}

function reportDate() {
    return state.files.date || todaysDate();
}

// One title block and precision grade for the report and the drawings.
function drawingOptions() {
    const f = state.files;
    return { date: reportDate(), titleBlock: Object.assign({}, f.titleBlock),
        precisionGrade: f.precisionGrade || undefined, dxfVersion: f.dxfVersion || undefined };
}

function report(status) {
    const request = documentRequest();
    const html = request ? api.engineeringReport(request, drawingOptions()) : null;
    if (html === null) {
        say(status, torsionKind() ? '扭转弹簧面板中的设计未能计算, 没有计算书。' :
            request ? '上次计算的设计按现在的校核选项不能完成, 没有计算书。' :
            '尚无完成的计算: 请先在窗口中按“计算”。', 'error');
    }
    return html;
}

function openReport(status) {
    const html = report(status);
    if (html === null) {
        return;
    }
    const url = URL.createObjectURL(new Blob([html], { type: 'text/html' }));
    const opened = window.open(url, '_blank');
    setTimeout(() => URL.revokeObjectURL(url), 60000);
    say(status, opened ? '计算书已在新窗口中打开, 在那里按 Ctrl+P 打印。' :
        '浏览器没有打开新窗口 (弹出窗口被阻止?): 请改用“下载计算书”。', opened ? 'ok' : 'warning');
}

function saveReport(status) {
    const html = report(status);
    if (html !== null) {
        download(html, '工程计算书.html', 'text/html');
        say(status, '已下载“工程计算书.html”。', 'ok');
    }
}

function saveDrawing(kind, status) {
    const request = documentRequest();
    if (!request) {
        say(status, '尚无完成的计算: 请先在窗口中按“计算”。', 'error');
        return;
    }
    const drawn = api.drawing(request, kind, drawingOptions());
    if (!drawn.ok) {
        say(status, '工作图未生成: ' + drawn.message, 'error');
        return;
    }
    const name = '弹簧工作图.' + kind;
    download(drawn.data, name, kind === 'svg' ? 'image/svg+xml' : 'application/dxf');
    say(status, `已下载“${name}”。`, 'ok');
}
