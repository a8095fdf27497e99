// 校核: the check options and the checks of the last completed calculation.
const kVerdicts = {
    ok: ['○', '合格'], warning: ['△', '注意'], fail: ['×', '不合格'],
    'not-applicable': ['—', '不适用'], info: ['◇', '信息'], 'not-judged': ['?', '未验证'],
};
const kCheckNames = {
    'static-strength': '静强度', 'allowable-stress': '许用切应力取值',
    buckling: '稳定性 (高径比)', 'buckling-deflection': '稳定性 (临界变形)',
    'coil-clearance': '圈间间隙', 'natural-frequency': '自振频率', fatigue: '疲劳强度',
    index: '旋绕比', 'helix-angle': '螺旋角', mass: '质量', work: '变形能',
    'hook-bending': '钩环弯曲应力', 'hook-torsion': '钩环扭转应力', 'initial-tension': '初切应力',
    'solid-stress': '压并应力', 'working-range': '工作变形范围', 'active-coils': '有效圈数',
    'shear-modulus': '切变模量', 'wire-diameter-series': '钢丝直径系列', 'torsion-bending': '弯曲应力',
    'working-limit': '工作极限扭矩', 'torsion-stability': '稳定性 (扭转角)', 'arbor-clearance': '芯轴间隙',
    'spring-index': '旋绕比 (扭转弹簧)',
};
const kEndConditions = [['fixed-fixed', '两端固定'], ['fixed-pinned', '一端固定, 一端回转'],
    ['pinned-pinned', '两端回转'], ['fixed-free', '一端固定, 一端自由']];
const kStandards = [['gb', 'GB/T 23935 (许用切应力: GB/T 1239.6-1992 表)'],
    ['en', 'EN 13906-1 (压缩弹簧静强度、疲劳)']];

// The check options: option, caption, unit, choices (a select) or null.
const kCheckOptions = [
    ['load-cycles', '载荷循环次数', '次', null],
    ['load-type', '载荷类型', '', [['', '按循环次数 (不给: 静负荷)'], ...kLoadTypes]],
    ['end-condition', '端部支承', '', kEndConditions],
    ['working-frequency', '工作频率', 'Hz', null],
    ['hook-bend-radius', '钩环弯曲半径 r2', 'mm', null],
    ['standard', '校核依据', '', kStandards],
    ['tensile-strength', '抗拉强度 Rm (质保书)', 'MPa', null],
    ['elastic-modulus', '弹性模量 E', 'MPa', null],
    ['density', '密度 ρ', 'kg/dm³', null],
];

// orsela-cli search's options, the required ones first; kind: text, switch or choices.

// ---- 校核 -----------------------------------------------------------

let checksView = null;

function buildChecksPanel(panel) {
    const form = h('div', { className: 'wb-grid', id: 'wb-check-options' });
    const stamp = h('p', { className: 'wb-stale', role: 'status' });
    const status = h('p', { className: 'wb-status', role: 'status' });
    const rows = h('tbody');
    const hints = h('ul', { className: 'wb-hints' });
    const heading = h('h3', { text: '校核选项' });
    panel.append(h('h2', { text: '校核' }), heading, form, stamp, status,
        h('div', { className: 'wb-checks-table' },
            scrollBox(table(['校核项', '数值', '限值', '结论', '说明', '依据'], rows))),
        h('h3', { text: '提示' }), hints);
    checksView = { form, heading, stamp, status, rows, hints };
    refreshCheckForm();
    shown.checks = showChecks;
}

function setCertificateRm(grade, text) {
    if (text.trim() === '') {
        delete state.certificates[grade];
    } else {
        state.certificates[grade] = text.trim();
    }
    saveState();
}

// Judged again in the next frame: the engine takes well under a
// millisecond, so the table follows each keystroke.
let rejudge = 0;
function rejudgeSoon() {
    cancelAnimationFrame(rejudge);
    rejudge = requestAnimationFrame(optionsChanged);
}

function refreshCheckForm() {
    if (!checksView) {
        return;
    }
    const grade = win.request().material;
    checksView.rmGrade = grade;
    checksView.form.replaceChildren(...kCheckOptions.map(([key, caption, unit, choices]) => {
        if (key !== 'tensile-strength') {
            return field(state.checks, key, caption, unit, choices, rejudgeSoon).row;
        }
        // The certificate's Rm of the window's grade, kept under that grade.
        const rm = { [key]: certificateRm(grade) };
        const { row, control } = field(rm, key, `${caption}, 牌号 ${grade}`, unit, choices, () => {
            setCertificateRm(grade, control.value);
            rejudgeSoon();
        });
        return row;
    }));
    if (materialView && document.activeElement !== materialView.rm) {
        materialView.rm.value = certificateRm(materialView.gradeSelect.value) || '';
    }
}

function optionsChanged() {
    if (materialView && document.activeElement !== materialView.rm) {
        materialView.rm.value = certificateRm(materialView.gradeSelect.value) || '';
    }
    if (state.tab === 'checks') {
        showChecks();
    } else if (state.tab === 'charts') {
        showCharts();
    }
}

function showStale(target) {
    say(target, stale ? '以下为上次计算的结果 (窗口中的数据已改动, 重新计算后更新)' : '', 'stale');
    target.hidden = !stale;
}

function showChecks() {
    const v = checksView;
    v.form.hidden = torsionKind(); // a torsion spring's options are in its panel
    v.heading.hidden = torsionKind();
    if (torsionKind()) {
        showTorsionChecks(v);
        return;
    }
    if (v.rmGrade !== win.request().material) {
        refreshCheckForm();
    }
    showStale(v.stamp);
    const request = lastRequest();
    v.rows.replaceChildren();
    v.hints.replaceChildren();
    if (!request) {
        say(v.status, '尚无完成的计算: 请先在窗口中按“计算”。', 'info');
        return;
    }
    const details = api.judgeDetails(request);
    const outcome = JSON.parse(details.out);
    const captions = checkCaptions();
    if (outcome.status !== 'completed') {
        say(v.status, withCaptions(outcome.message || outcome.status, captions), 'error');
    } else {
        say(v.status, `${request.extension ? '拉伸弹簧' : '压缩弹簧'}, 材料 ${request.material}: ` +
            `${outcome.checks.length} 项校核${rmNote(request)}`, 'info');
    }
    v.rows.replaceChildren(...checkRows(outcome.checks));
    v.hints.replaceChildren(...hintLines(details.err, captions));
}

// The checks as table rows: title, value, limit, verdict, message, source.
function checkRows(checks) {
    return (checks || []).map((c) => {
        const [symbol, word] = kVerdicts[c.verdict] || ['?', c.verdict];
        const unit = c.unit ? ' ' + c.unit : '';
        // data-label: the column's caption, shown in the narrow layout.
        const labelled = (td, label) => {
            td.dataset.label = label;
            return td;
        };
        return h('tr', { 'data-check': c.id, 'data-verdict': c.verdict },
            h('th', { scope: 'row', text: kCheckNames[c.id] || c.id }),
            labelled(cell(c.value === null ? '—' : number(c.value, 3) + unit, 'wb-num'), '数值'),
            labelled(cell(c.limit === null ? '—' : number(c.limit, 3) + unit, 'wb-num'), '限值'),
            labelled(cell(symbol + ' ' + word, 'wb-verdict'), '结论'), labelled(cell(c.message), '说明'),
            labelled(cell(c.clause, 'wb-small'), '依据'));
    });
}

// The torsion panel's design: its checks, the options in the panel.
function showTorsionChecks(v) {
    v.stamp.hidden = true;
    const { details, outcome } = torsionJudged();
    const captions = torsionCaptions();
    v.rows.replaceChildren(...checkRows(outcome.checks));
    v.hints.replaceChildren(...hintLines(details.err, captions));
    say(v.status, outcome.status === 'completed' ?
        `扭转弹簧 (扭转弹簧面板中的设计与校核选项), 材料 ${state.torsion.material || '—'}: ` +
        `${outcome.checks.length} 项校核${rmNote(torsionRequest())}` :
        '扭转弹簧面板中的设计未能计算: ' + withCaptions(outcome.message || outcome.status, captions),
    outcome.status === 'completed' ? 'info' : 'error');
}
