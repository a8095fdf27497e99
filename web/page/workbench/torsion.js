// 扭转弹簧: the spring-kind choice and the torsion spring's own design panel,
// judged by the same call as orsela-cli --torsion --check.
const kKinds = [['window', '压缩/拉伸 (窗口)'], ['torsion', '扭转弹簧']];
const kAngleKeys = ['working-angle1', 'working-angle2', 'working-angle3'];
const kTorqueKeys = ['working-torque1', 'working-torque2', 'working-torque3'];

// The panel's inputs, as orsela-cli --torsion takes them: option, caption,
// unit, kind (text, switch or choices).
const kTorsionOptions = [
    ['material', '材料牌号', '', 'text'],
    ['elastic-modulus', '弹性模量 E (不给: 取自牌号)', 'MPa', 'text'],
    ['wire-diameter', '材料直径 d', 'mm', 'text'],
    ['mean-diameter', '中径 D', 'mm', 'text'],
    ['active-coils', '有效圈数 n', '圈', 'text'],
    ['leg-length1', '臂长 l1', 'mm', 'text'],
    ['leg-length2', '臂长 l2', 'mm', 'text'],
    ['known-torques', '已知工作扭矩 (不选: 已知扭转角)', '', 'switch'],
    ['working-angle1', '工作扭转角 φ1', '°', 'text'],
    ['working-angle2', '工作扭转角 φ2', '°', 'text'],
    ['working-angle3', '最大工作扭转角 φ3', '°', 'text'],
    ['working-torque1', '工作扭矩 T1', 'N·mm', 'text'],
    ['working-torque2', '工作扭矩 T2', 'N·mm', 'text'],
    ['working-torque3', '最大工作扭矩 T3', 'N·mm', 'text'],
    ['load-direction', '加载方向', '', [['wind', '扭紧 (wind)'], ['unwind', '扭松 (unwind)']]],
    ['coil-spacing', '圈间距 δ (不给: 密卷)', 'mm', 'text'],
    ['arbor-diameter', '芯轴直径 (不给: 不校核间隙)', 'mm', 'text'],
    ['load-type', '载荷类型', '', [['', '按循环次数 (不给: 静负荷)'], ...kLoadTypes]],
    ['load-cycles', '载荷循环次数', '次', 'text'],
    ['standard', '校核依据', '', [['gb', '机械设计手册 / GB/T 23935 (gb)'],
        ['en', 'EN 13906-3 (en: 弯曲应力未验证)']]],
    ['density', '密度 ρ (不给: 取自牌号)', 'kg/dm³', 'text'],
];

// A design to start from: a cold-drawn SM wire spring with an arbor.
const kTorsionStart = {
    material: 'EN 10270-1 SM', 'wire-diameter': '2', 'mean-diameter': '16', 'active-coils': '6',
    'leg-length1': '25', 'leg-length2': '25', 'working-angle1': '30', 'working-angle3': '90',
    'arbor-diameter': '11',
};

// The results JSON's keys in the order shown, with their captions.
const kTorsionResults = [
    ['ElasticModulus', '弹性模量 E'], ['EffectiveCoils', '有效圈数 n + (l1 + l2)/(3πD)'],
    ['SpringIndex', '旋绕比 C'], ['CurvatureFactor', '曲度系数 K1 = (4C−1)/(4C−4)'],
    ['AngularRate', "扭转刚度 T'"],
    ...[1, 2, 3].flatMap((i) => [['WorkingTorque' + i, '工作扭矩 T' + i], ['WorkingAngle' + i, '扭转角 φ' + i],
        ['BendingStress' + i, '弯曲应力 σ' + i]]),
    ['OuterDiameter', '外径 D2'], ['InnerDiameter', '内径 D1'],
    ['LoadedInnerDiameter', "最大扭转角时内径 D1'"], ['FreeBodyLength', '自由状态弹簧体长度'],
    ['LoadedBodyLength', '最大扭转角时弹簧体长度'], ['DevelopedLength', '展开长度 (含两臂)'], ['Mass', '质量'],
];
const kTorsionUnits = { ElasticModulus: 'MPa', AngularRate: 'N·mm/°', Mass: 'g' };

let torsionView = null;

function torsionKind() {
    return state.kind === 'torsion';
}

function torsionUnit(key) {
    return kTorsionUnits[key] || (/Torque/.test(key) ? 'N·mm' : /Angle/.test(key) ? '°' :
        /Stress/.test(key) ? 'MPa' : /Diameter|Length/.test(key) ? 'mm' : '');
}

// The panel's design as a request: the working points it is given by, the
// check options and the certificate's Rm of its grade.
function torsionRequest() {
    const t = state.torsion;
    const request = { format: 'orsela-design/1', torsion: true, check: true };
    const dropped = t['known-torques'] === '1' ? kAngleKeys : kTorqueKeys;
    for (const [key] of kTorsionOptions) {
        if (key === 'known-torques') {
            request[key] = t[key] === '1';
        } else if (typeof t[key] === 'string' && t[key] !== '' && !dropped.includes(key)) {
            request[key] = t[key];
        }
    }
    const rm = certificateRm(t.material);
    if (rm !== undefined) {
        request['tensile-strength'] = rm;
    }
    return request;
}

function torsionCaptions() {
    const captions = new Map(kTorsionOptions.map(([o, c]) => [o, c]));
    captions.set('tensile-strength', '抗拉强度 Rm (质保书)');
    return captions;
}

// ---- the spring-kind choice -----------------------------------------

function buildKindChoice(root) {
    const choice = h('fieldset', { className: 'wb-kind', id: 'wb-kind' }, h('legend', { text: '弹簧类型' }),
        kKinds.map(([value, text]) => {
            const id = 'wb-kind-' + value;
            const radio = h('input', { type: 'radio', name: 'wb-kind', id, value });
            radio.checked = (state.kind || 'window') === value;
            radio.addEventListener('change', () => chooseKind(value));
            return h('span', { className: 'wb-field' }, radio, h('label', { for: id, text }));
        }));
    root.append(choice);
}

function chooseKind(kind) {
    state.kind = kind;
    saveState();
    showKind();
    refreshShown();
}

function showKind() {
    if (torsionView) {
        torsionView.panel.hidden = !torsionKind();
        if (torsionKind()) {
            judgeTorsionSoon();
        }
    }
    showSearchKind();
}

// ---- the torsion panel ----------------------------------------------

function buildTorsionPanel(root) {
    const panel = h('section', { className: 'wb-torsion', id: 'wb-torsion', 'aria-label': '扭转弹簧设计' });
    const grades = h('datalist', { id: 'wb-torsion-grades' });
    const form = h('form', { className: 'wb-grid', id: 'wb-torsion-form', onsubmit: (e) => {
        e.preventDefault();
        judgeTorsion();
        torsionView.results.focus();
    } });
    const rows = new Map();
    for (const [key, caption, unit, kind] of kTorsionOptions) {
        const { row, control } = field(state.torsion, key, caption, unit, kind === 'text' ? null : kind,
            (changed) => {
                if (changed === 'known-torques' || changed === 'material') {
                    showTorsionFields();
                }
                judgeTorsionSoon();
            });
        if (key === 'material') {
            control.setAttribute('list', 'wb-torsion-grades');
        }
        rows.set(key, row);
        form.append(row);
    }
    const rm = h('input', { type: 'text', id: 'wb-torsion-rm', autocomplete: 'off', spellcheck: 'false' });
    const rmLabel = h('label', { for: 'wb-torsion-rm' });
    rm.addEventListener('input', () => {
        setCertificateRm(state.torsion.material || '', rm.value);
        judgeTorsionSoon();
    });
    form.append(h('div', { className: 'wb-field' }, rmLabel, rm, h('span', { className: 'wb-unit', text: 'MPa' })),
        h('div', { className: 'wb-row' }, button('计算', null, { type: 'submit', id: 'wb-torsion-run' })), grades);
    const status = h('p', { className: 'wb-status', role: 'status', 'aria-live': 'polite' });
    const results = h('tbody');
    const checks = h('tbody');
    const hints = h('ul', { className: 'wb-hints' });
    const chart = h('div', { className: 'wb-charts', id: 'wb-torsion-chart' });
    const resultsBox = scrollBox(table(['项目', '数值', '单位'], results, '计算结果'));
    resultsBox.id = 'wb-torsion-results';
    panel.append(h('h2', { text: '扭转弹簧设计' }),
        h('p', { className: 'wb-small', text: '与 orsela-cli --torsion --check 相同的计算与校核; 按 Enter 或“计算”。' +
            '下面的标签页 (校核、特性图、设计搜索、批量计算、文件与报告) 用这里的设计。' }),
        form, status, resultsBox,
        h('h3', { text: '校核' }),
        h('div', { className: 'wb-checks-table' },
            scrollBox(table(['校核项', '数值', '限值', '结论', '说明', '依据'], checks))),
        h('h3', { text: '提示' }), hints, h('h3', { text: '扭矩–扭转角特性' }), chart);
    root.append(panel);
    torsionView = { panel, form, rows, rm, rmLabel, status, results: resultsBox, resultRows: results, checks,
        hints, chart, grades, outcome: null };
    showTorsionFields();
    panel.hidden = !torsionKind();
}

// The torques or the angles, as the known-torques choice says; the
// certificate's Rm of the grade typed.
function showTorsionFields() {
    const v = torsionView;
    const torques = state.torsion['known-torques'] === '1';
    for (const key of kAngleKeys) {
        v.rows.get(key).hidden = torques;
    }
    for (const key of kTorqueKeys) {
        v.rows.get(key).hidden = !torques;
    }
    const grade = state.torsion.material || '';
    v.rmLabel.textContent = `抗拉强度 Rm (质保书), 牌号 ${grade || '—'}`;
    if (document.activeElement !== v.rm) {
        v.rm.value = certificateRm(grade) || '';
    }
}

let torsionFrame = 0;
function judgeTorsionSoon() {
    cancelAnimationFrame(torsionFrame);
    torsionFrame = requestAnimationFrame(() => judgeTorsion());
}

// The outcome of the panel's design and what the CLI says beside it.
function torsionJudged() {
    const details = api.judgeDetails(torsionRequest());
    return { details, outcome: JSON.parse(details.out) };
}

function judgeTorsion() {
    const v = torsionView;
    if (!v || !torsionKind()) {
        return;
    }
    if (!v.grades.firstChild) {
        v.grades.replaceChildren(...api.materials().map((g) => h('option', { value: g.name })));
    }
    const { details, outcome } = torsionJudged();
    v.outcome = outcome;
    // The tabs that show this design's checks and chart follow it as it is typed.
    if (state.tab === 'checks' || state.tab === 'charts') {
        refreshShown();
    }
    const captions = torsionCaptions();
    v.resultRows.replaceChildren();
    v.checks.replaceChildren();
    v.hints.replaceChildren();
    v.chart.replaceChildren();
    if (outcome.status !== 'completed') {
        say(v.status, '未能计算: ' + withCaptions(outcome.message || outcome.status, captions), 'error');
        return;
    }
    say(v.status, `扭转弹簧, 材料 ${state.torsion.material || '—'}: 扭转刚度 T' = ` +
        `${outcome.results.AngularRate} N·mm/°, ${outcome.checks.length} 项校核` +
        rmNote(torsionRequest()), 'ok');
    v.resultRows.replaceChildren(...kTorsionResults.filter(([key]) => key in outcome.results)
        .map(([key, caption]) => h('tr', { 'data-result': key }, h('th', { scope: 'row', text: caption }),
            cell(outcome.results[key], 'wb-num'), cell(torsionUnit(key)))));
    v.checks.replaceChildren(...checkRows(outcome.checks));
    v.hints.replaceChildren(...hintLines(details.err, captions));
    const charts = api.charts(torsionRequest());
    if (charts && charts.torqueAngle) {
        v.chart.append(svgFigure(charts.torqueAngle, '扭矩–扭转角特性'));
    }
}

// What the CLI writes on stderr, as the page's hints.
function hintLines(err, captions) {
    return err.split('\n').filter((line) => line.trim() !== '').map((line) =>
        h('li', { text: withCaptions(line.replace(/^orsela-cli: /, ''), captions) }));
}

// A design file's or a found design's request into the panel: its texts
// as given, the rest left empty (the CLI's defaults).
function putIntoTorsionPanel(request) {
    const fresh = Object.create(null);
    for (const [key] of kTorsionOptions) {
        const value = request[key];
        if (key === 'known-torques') {
            if (value === true || value === '1') {
                fresh[key] = '1';
            }
        } else if (typeof value === 'string' && value !== '') {
            fresh[key] = value;
        }
    }
    if (typeof request['tensile-strength'] === 'string' && request['tensile-strength'] !== '') {
        state.certificates[fresh.material || ''] = request['tensile-strength'];
    }
    state.torsion = fresh;
    state.kind = 'torsion';
    saveState();
    // The panel drawn again from the state, the kind chosen.
    const root = document.getElementById('workbench');
    const old = torsionView.panel;
    buildTorsionPanel(document.createDocumentFragment());
    old.replaceWith(torsionView.panel);
    const radio = root.querySelector('#wb-kind-torsion');
    if (radio) {
        radio.checked = true;
    }
    showKind();
    judgeTorsion();
    refreshShown();
}
