// 设计搜索: orsela-cli search's form, its run in a Web Worker and its designs.
const kSearchOptions = [
    ['load1', '第一工作载荷 F1', 'N', 'text', true],
    ['height1', 'F1 下的工作高度 H1', 'mm', 'text', true],
    ['load2', '第二工作载荷 F2 (> F1)', 'N', 'text', true],
    ['height2', 'F2 下的工作高度 H2 (压缩弹簧 H2 < H1, 拉伸弹簧 H2 > H1)', 'mm', 'text', true],
    ['material', '材料牌号 (须为已知牌号)', '', 'text', true],
    ['load3', '最大工作载荷 F3 (> F2, 与 H3 一起)', 'N', 'text', false],
    ['height3', 'F3 下的工作高度 H3', 'mm', 'text', false],
    ['extension', '拉伸弹簧, 圆钩环 (不选: 压缩弹簧, 两端并紧磨平)', '', 'switch', false],
    ['shear-modulus', '切变模量 G (不给: 取自材料)', 'MPa', 'text', false],
    ['allowable-shear-stress', '许用切应力 (不给: 按载荷类型和材料直径取自材料)', 'MPa', 'text', false],
    ['load-type', '载荷类型', '', [['', '按循环次数 (不给: 静负荷)'], ...kLoadTypes], false],
    ['load-cycles', '载荷循环次数 (不给: 静载)', '次', 'text', false],
    ['end-condition', '端部支承', '', kEndConditions, false],
    ['working-frequency', '工作频率', 'Hz', 'text', false],
    ['hook-bend-radius', '拉伸弹簧钩环弯曲半径 r2', 'mm', 'text', false],
    ['standard', '校核依据', '', kStandards, false],
    ['tensile-strength', '抗拉强度 Rm (不给: 取自材料)', 'MPa', 'text', false],
    ['elastic-modulus', '弹性模量 E (不给: 取自材料)', 'MPa', 'text', false],
    ['density', '密度 ρ (不给: 取自材料; 按质量排序时必需)', 'kg/dm³', 'text', false],
    ['max-outer-diameter', '最大外径 D + d', 'mm', 'text', false],
    ['min-inner-diameter', '最小内径 D − d', 'mm', 'text', false],
    ['max-free-height', '最大自由高度 H0', 'mm', 'text', false],
    ['max-solid-height', '最大压并高度 Hb (压缩弹簧)', 'mm', 'text', false],
    ['tolerance', '每个载荷的允许偏差 % (或 +上偏差,-下偏差; 不给: 2)', '%', 'text', false],
    ['max-stress-ratio', 'F3 下切应力不超过 R × 许用切应力, 0 < R ≤ 1 (不给: 1)', '', 'text', false],
    ['second-series', '加入 GB/T 1358 第二系列的材料直径', '', 'switch', false],
    ['wire-diameters', '材料直径, 逗号分隔 (代替 GB/T 1358 系列)', 'mm', 'text', false],
    ['index-range', '旋绕比 D/d 的范围 MIN,MAX (不给: 4,16)', '', 'text', false],
    ['active-coils-range', '有效圈数范围 MIN,MAX, 步长 0.25 (不给: 2,50)', '', 'text', false],
    ['end-coils', '压缩弹簧: 总圈数 = 有效圈数 + X, 1 < X ≤ 2.5 (不给: 2)', '', 'text', false],
    ['pitch', '拉伸弹簧节距 (不给: 密绕, 节距 = 材料直径)', 'mm', 'text', false],
    ['minimize', '排序目标', '', [['', '质量 (mass)'], ['solid-height', '压并高度'],
        ['outer-diameter', '外径'], ['stress', '切应力']], false],
    ['top', '输出的设计数 (不给: 10)', '个', 'text', false],
];

// orsela-cli search --torsion's options, the required ones first.
const kTorsionSearchOptions = [
    ['working-torque2', '工作扭矩 T2', 'N·mm', 'text', true],
    ['working-angle2', 'T2 下的扭转角 φ2', '°', 'text', true],
    ['material', '材料牌号 (须为已知牌号)', '', 'text', true],
    ['working-torque1', '第一工作扭矩 T1 (< T2, 与 φ1 一起)', 'N·mm', 'text', false],
    ['working-angle1', 'T1 下的扭转角 φ1 (< φ2)', '°', 'text', false],
    ['leg-length1', '臂长 l1 (不给: 0)', 'mm', 'text', false],
    ['leg-length2', '臂长 l2 (不给: 0)', 'mm', 'text', false],
    ['load-direction', '加载方向', '', [['', '扭紧 (wind)'], ['unwind', '扭松 (unwind)']], false],
    ['load-type', '载荷类型', '', [['', '按循环次数 (不给: 静负荷)'], ...kLoadTypes], false],
    ['load-cycles', '载荷循环次数 (不给: 静载)', '次', 'text', false],
    ['standard', '校核依据', '', [['', '机械设计手册 / GB/T 23935 (gb)'], ['en', 'EN 13906-3 (en)']], false],
    ['tensile-strength', '抗拉强度 Rm (不给: 取自材料)', 'MPa', 'text', false],
    ['elastic-modulus', '弹性模量 E (不给: 取自材料)', 'MPa', 'text', false],
    ['density', '密度 ρ (不给: 取自材料; 按质量排序时必需)', 'kg/dm³', 'text', false],
    ['arbor-diameter', '芯轴直径 (校核间隙)', 'mm', 'text', false],
    ['max-outer-diameter', '最大外径 D + d', 'mm', 'text', false],
    ['max-body-length', '最大弹簧体长度 (最大扭转角时)', 'mm', 'text', false],
    ['tolerance', '刚度的允许偏差 % (或 +上偏差,-下偏差; 不给: 2)', '%', 'text', false],
    ['second-series', '加入 GB/T 1358 第二系列的材料直径', '', 'switch', false],
    ['wire-diameters', '材料直径, 逗号分隔 (代替 GB/T 1358 系列)', 'mm', 'text', false],
    ['index-range', '旋绕比 D/d 的范围 MIN,MAX (不给: 4,20)', '', 'text', false],
    ['active-coils-range', '有效圈数范围 MIN,MAX, 步长 0.25', '', 'text', false],
    ['minimize', '排序目标', '', [['', '质量 (mass)'], ['outer-diameter', '外径'], ['stress', '弯曲应力']], false],
    ['top', '输出的设计数 (不给: 10)', '个', 'text', false],
];
const kTorsionSearchGroups = [
    ['扭矩、臂与校核', ['working-torque1', 'working-angle1', 'leg-length1', 'leg-length2', 'load-direction',
        'load-type', 'load-cycles', 'standard', 'tensile-strength', 'elastic-modulus', 'density']],
    ['尺寸限制与偏差', ['arbor-diameter', 'max-outer-diameter', 'max-body-length', 'tolerance']],
    ['搜索范围', ['second-series', 'wire-diameters', 'index-range', 'active-coils-range']],
    ['排序与输出', ['minimize', 'top']],
];

// ---- 设计搜索 -------------------------------------------------------

let searchView = null;

// The optional options in groups, folded until wanted; the spring type
// stands with the requirements.
const kSearchGroups = [
    ['载荷与校核', ['load3', 'height3', 'shear-modulus', 'allowable-shear-stress', 'load-type', 'load-cycles',
        'end-condition', 'working-frequency', 'hook-bend-radius', 'standard', 'tensile-strength',
        'elastic-modulus', 'density', 'max-stress-ratio']],
    ['尺寸限制与偏差', ['max-outer-diameter', 'min-inner-diameter', 'max-free-height', 'max-solid-height',
        'tolerance']],
    ['搜索范围', ['second-series', 'wire-diameters', 'index-range', 'active-coils-range', 'end-coils', 'pitch']],
    ['排序与输出', ['minimize', 'top']],
];

// One search form: the required options, the optional ones in folded
// groups (a group holding a value open, so that nothing given is out of
// sight); Enter in any of its fields starts the search.
function searchForm(options, groupList, values, id) {
    const required = h('fieldset', {}, h('legend', { text: '要求 (必需)' }));
    const groups = new Map(groupList.map(([title]) => [title, h('details', { className: 'wb-group' },
        h('summary', { text: title }))]));
    const controls = new Map();
    for (const [key, caption, unit, kind, needed] of options) {
        const { row, control } = field(values, key, caption, unit, kind === 'text' ? null : kind);
        controls.set(key, control);
        if (key === 'material') {
            control.setAttribute('list', 'wb-grade-names');
        }
        if (needed) {
            control.setAttribute('aria-required', 'true');
        }
        const group = groupList.find(([, keys]) => keys.includes(key));
        (group ? groups.get(group[0]) : required).append(row);
    }
    for (const [title, keys] of groupList) {
        groups.get(title).open = keys.some((key) => values[key] !== undefined);
    }
    const optional = h('fieldset', {}, h('legend', { text: '其他选项 (可选)' }), ...groups.values(),
        h('p', { className: 'wb-small', text: '材料文件: 用“材料”页的自有牌号。每个结果可存为设计文件 (“保存”)。' }));
    const form = h('form', { className: 'wb-search-form', id, onsubmit: (e) => {
        e.preventDefault();
        runSearch();
    } }, required, optional);
    return { form, controls, groups };
}

function buildSearchPanel(panel) {
    const grades = h('datalist', { id: 'wb-grade-names' });
    const status = h('p', { className: 'wb-status', role: 'status', 'aria-live': 'polite' });
    const springs = searchForm(kSearchOptions, kSearchGroups, state.search, 'wb-search-form');
    const torsion = searchForm(kTorsionSearchOptions, kTorsionSearchGroups, state.torsionSearch,
        'wb-tsearch-form');
    const prefill = button('用窗口中的设计填写', () => (torsionKind() ?
        prefillTorsionSearch(torsion, status) : prefillSearch(springs.controls, status, springs.groups)),
    { id: 'wb-search-prefill' });
    // A submit button of the kind's form.
    const run = button('搜索', null, { id: 'wb-search-run', type: 'submit', form: 'wb-search-form' });
    const cancel = button('取消', () => searchView.abort && searchView.abort.abort(),
        { id: 'wb-search-cancel', disabled: true });
    const progress = h('progress', { id: 'wb-search-progress', max: '1', value: '0',
        'aria-label': '搜索进度' });
    const results = h('div', { className: 'wb-results' });
    const forms = h('div', { className: 'wb-search-forms' });
    panel.append(h('h2', { text: '设计搜索' }), h('div', { className: 'wb-row' }, prefill), forms,
        grades, h('div', { className: 'wb-row' }, run, cancel, progress), status, results);
    searchView = { run, cancel, progress, status, results, grades, abort: null, prefill, springs, torsion,
        forms };
    showSearchKind();
    shown.search = () => {
        grades.replaceChildren(...api.materials().map((g) => h('option', { value: g.name })));
    };
}

// The form of the chosen spring kind.
function showSearchKind() {
    const v = searchView;
    if (!v) {
        return;
    }
    const torsion = torsionKind();
    // Only the kind's form on the page: the other keeps its texts aside.
    fill(v.forms, torsion ? v.torsion.form : v.springs.form);
    v.run.setAttribute('form', torsion ? 'wb-tsearch-form' : 'wb-search-form');
    v.prefill.textContent = torsion ? '用扭转弹簧面板的设计填写' : '用窗口中的设计填写';
}

// The torsion panel's working points, material, legs, arbor and direction
// as the search's requirements: T2 at φ2 its largest point, T1 at φ1 its first.
function prefillTorsionSearch(form, status) {
    const { outcome } = torsionJudged();
    if (outcome.status !== 'completed') {
        say(status, '扭转弹簧面板中的设计不能计算, 没有填写: ' + (outcome.message || outcome.status), 'error');
        return;
    }
    const r = outcome.results;
    const points = [1, 2, 3].filter((i) => r['WorkingTorque' + i] !== undefined);
    const last = points[points.length - 1];
    const first = points.length > 1 ? points[0] : null;
    const t = state.torsion;
    const given = { 'working-torque2': r['WorkingTorque' + last], 'working-angle2': r['WorkingAngle' + last],
        'working-torque1': first ? r['WorkingTorque' + first] : '', 'working-angle1': first ? r['WorkingAngle' + first] : '',
        material: t.material || '', 'leg-length1': t['leg-length1'] || '', 'leg-length2': t['leg-length2'] || '',
        'arbor-diameter': t['arbor-diameter'] || '', 'load-direction': t['load-direction'] === 'unwind' ? 'unwind' : '' };
    for (const [key, value] of Object.entries(given)) {
        const control = form.controls.get(key);
        control.value = value;
        control.dispatchEvent(new Event(control.tagName === 'SELECT' ? 'change' : 'input'));
    }
    form.groups.get(kTorsionSearchGroups[0][0]).open = true;
    form.groups.get(kTorsionSearchGroups[1][0]).open = true;
    say(status, `已按扭转弹簧面板的设计填写: T2 ${given['working-torque2']} N·mm 在 φ2 ` +
        `${given['working-angle2']}°` + (first ? `, T1 ${given['working-torque1']} N·mm 在 φ1 ` +
        `${given['working-angle1']}°` : '') + `, 材料 ${given.material}; 按 Enter 或“搜索”开始。`, 'ok');
}

// The window's loads and heights (as it calculates them), its material and
// spring type as the search's requirements.
function prefillSearch(controls, status, groups) {
    const request = win.request();
    const outcome = JSON.parse(api.judge(request));
    if (outcome.status !== 'completed') {
        say(status, '窗口中的设计不能计算, 没有填写: ' + (outcome.message || outcome.status), 'error');
        return;
    }
    const r = outcome.results;
    const given = { load1: r.WorkingLoad1, height1: r.WorkingHeight1, load2: r.WorkingLoad2,
        height2: r.WorkingHeight2, load3: r.WorkingLoad3, height3: r.WorkingHeight3,
        material: request.material, extension: request.extension ? '1' : '' };
    for (const [key, value] of Object.entries(given)) {
        const control = controls.get(key);
        if (control.type === 'checkbox') {
            control.checked = value === '1';
        } else {
            control.value = value;
        }
        control.dispatchEvent(new Event(control.type === 'checkbox' ? 'change' : 'input'));
    }
    groups.get(kSearchGroups[0][0]).open = true;
    say(status, `已按窗口中的设计填写: F1 ${r.WorkingLoad1} N 在 H1 ${r.WorkingHeight1} mm, ` +
        `F2 ${r.WorkingLoad2} N 在 H2 ${r.WorkingHeight2} mm, F3 ${r.WorkingLoad3} N 在 H3 ` +
        `${r.WorkingHeight3} mm, 材料 ${request.material}; 按 Enter 或“搜索”开始。`, 'ok');
}

async function runSearch() {
    const v = searchView;
    if (v.abort) {
        return; // one search at a time
    }
    v.abort = new AbortController();
    v.run.disabled = true;
    v.cancel.disabled = false;
    v.progress.removeAttribute('value');
    v.results.replaceChildren();
    say(v.status, '正在搜索…', 'info');
    const torsion = torsionKind();
    const captions = new Map((torsion ? kTorsionSearchOptions : kSearchOptions).map(([o, c]) => [o, c]));
    const options = torsion ? Object.assign({ torsion: '1' }, state.torsionSearch) : Object.assign({}, state.search);
    if (torsion) {
        say(v.status, '正在搜索扭转弹簧…', 'info');
    }
    try {
        const details = await api.searchDetails(options, {
            signal: v.abort.signal,
            onProgress: ({ pass, done, total }) => {
                v.progress.max = total || 1;
                v.progress.value = done;
                say(v.status, `正在搜索 (第 ${pass} 遍): ${done} / ${total}`, 'info');
            },
        });
        const found = JSON.parse(details.out);
        if (found.kind === 'torsion') {
            showTorsionSearch(found, details, captions);
        } else {
            showSearch(found, details, captions);
        }
    } catch (error) {
        if (error && error.name === 'AbortError') {
            say(v.status, '搜索已取消。', 'info');
        } else {
            say(v.status, '搜索出错: ' + (error && error.message ? error.message : error), 'error');
        }
    } finally {
        v.abort = null;
        v.run.disabled = false;
        v.cancel.disabled = true;
        v.progress.value = 0;
        v.progress.max = 1;
    }
}

function showSearch(found, details, captions) {
    const v = searchView;
    if (found.status === 'refused') {
        say(v.status, '搜索未进行: ' + withCaptions(found.message, captions), 'error');
        return;
    }
    const misses = !found.designs || found.designs.length === 0;
    const list = misses ? found.nearest_misses || [] : found.designs;
    say(v.status, `候选 ${found.candidates} 个, 计算 ${found.calculated} 个, 合格 ${found.qualified} 个` +
        `, 用时 ${number(found.seconds, 3)} s` +
        (misses ? '; 没有合格的设计, 以下为最接近的设计及原因。' : '。'), misses ? 'warning' : 'ok');
    const extension = state.search.extension === '1';
    const headers = ['名次', 'd (mm)', 'D (mm)', 'n', 'n1', 'H0 (mm)',
        ...(extension ? ['t (mm)', 'F0 (N)'] : []), '工作高度 (mm)', '载荷 (N)', 'τmax (MPa)',
        '质量 (g)', misses ? '原因' : '校核', ''];
    const rows = list.map((d, i) => h('tr', { 'data-rank': String(i + 1) },
        h('th', { scope: 'row', text: String(i + 1) }), cell(String(d.wire_diameter)),
        cell(String(d.mean_diameter)), cell(String(d.active_coils)), cell(String(d.total_coils)),
        cell(String(d.free_height)),
        ...(extension ? [cell(String(d.pitch ?? '—')), cell(String(d.initial_tension ?? '—'))] : []),
        cell(d.heights.join(' / ')), cell(d.loads.map((f) => number(f, 3)).join(' / ')),
        cell(number(d.max_shear_stress, 1), 'wb-num'), cell(number(d.mass, 2), 'wb-num'),
        misses ? cell(h('ul', {}, d.reasons.map((r) => h('li', { text: r })))) :
            cell(verdictSummary(d.checks)),
        h('td', { className: 'wb-actions' },
            button('载入', (e) => loadDesign(d.command, e.target), { 'aria-label': `载入第 ${i + 1} 个设计` }),
            button('保存', () => saveFound(d.command, i + 1), { 'aria-label': `把第 ${i + 1} 个设计存为设计文件` }))));
    const notes = details.err.split('\n').filter((l) => l.trim() !== '');
    fill(v.results, scrollBox(table(headers, rows)),
        notes.length ? h('ul', { className: 'wb-hints' }, notes.map((l) =>
            h('li', { text: withCaptions(l.replace(/^orsela-cli: /, ''), captions) }))) : null,
        h('p', { className: 'wb-status', role: 'status', id: 'wb-search-loaded' }));
    // The focus on the results: the first 载入 is the next Tab.
    v.results.querySelector('.wb-scroll').focus();
}

function verdictSummary(checks) {
    const counts = {};
    for (const c of checks || []) {
        counts[c.verdict] = (counts[c.verdict] || 0) + 1;
    }
    return Object.entries(counts).map(([k, n]) => (kVerdicts[k] || [k, k])[1] + ' ' + n).join(', ');
}

// A design's command line ("--wire-diameter=4", "--extension") as a request.
function commandRequest(command) {
    const request = { format: 'orsela-design/1' };
    for (const arg of command) {
        const m = /^--([^=]+)(?:=(.*))?$/s.exec(arg);
        if (m) {
            request[m[1]] = m[2] === undefined ? true : m[2];
        }
    }
    return request;
}

async function loadDesign(command, from) {
    const status = document.getElementById('wb-search-loaded');
    if (await putIntoWindow(commandRequest(command), status)) {
        say(status, '已载入窗口, 可以按“计算”(Alt+C)。', 'ok');
    }
    if (from && from.isConnected) {
        from.focus();
    }
}

function saveFound(command, rank) {
    const status = document.getElementById('wb-search-loaded');
    const saved = api.designFile(commandRequest(command));
    if (!saved.ok) {
        say(status, saved.message, 'error');
        return;
    }
    download(saved.text, `设计-${String(rank).padStart(2, '0')}.json`, 'application/json');
}

// The torsion springs found, as search --torsion lists them.
function showTorsionSearch(found, details, captions) {
    const v = searchView;
    const misses = !found.designs || found.designs.length === 0;
    const list = misses ? found.nearest_misses || [] : found.designs;
    say(v.status, `判定 ${found.judged} 个, 合格 ${found.qualified} 个; 要求的扭转刚度 ` +
        `${number(found.required_rate, 3)} N·mm/°` +
        (misses ? '; 没有合格的设计, 以下为最接近的设计及原因。' : '。'), misses ? 'warning' : 'ok');
    const headers = ['名次', 'd (mm)', 'D (mm)', 'n', "T' (N·mm/°)", '偏差 (%)', 'φ (°)', 'T (N·mm)',
        'σ (MPa)', 'D2 (mm)', '体长 (mm)', '质量 (g)', misses ? '原因' : '校核', ''];
    const rows = list.map((d, i) => {
        const r = d.design.results;
        const points = [1, 2, 3].filter((p) => r['WorkingAngle' + p] !== undefined);
        const last = points[points.length - 1];
        return h('tr', { 'data-rank': String(i + 1) },
            h('th', { scope: 'row', text: String(i + 1) }),
            cell(commandRequest(d.arguments)['wire-diameter'] || ''),
            cell(commandRequest(d.arguments)['mean-diameter'] || ''),
            cell(commandRequest(d.arguments)['active-coils'] || ''), cell(r.AngularRate, 'wb-num'),
            cell(number(d.rate_deviation_percent, 1), 'wb-num'),
            cell(points.map((p) => r['WorkingAngle' + p]).join(' / ')),
            cell(points.map((p) => r['WorkingTorque' + p]).join(' / ')),
            cell(r['BendingStress' + last] || '—', 'wb-num'), cell(r.OuterDiameter, 'wb-num'),
            cell(r.LoadedBodyLength, 'wb-num'), cell(r.Mass || '—', 'wb-num'),
            misses ? cell(h('ul', {}, (d.reasons || []).map((r) => h('li', { text: r })))) :
                cell(verdictSummary(d.design.checks)),
            h('td', { className: 'wb-actions' },
                button('载入', (e) => loadTorsionDesign(d.arguments, e.target),
                    { 'aria-label': `载入第 ${i + 1} 个设计` }),
                button('保存', () => saveFound(d.arguments, i + 1),
                    { 'aria-label': `把第 ${i + 1} 个设计存为设计文件` })));
    });
    const notes = details.err.split('\n').filter((l) => l.trim() !== '');
    fill(v.results, list.length ? scrollBox(table(headers, rows)) : null,
        notes.length ? h('ul', { className: 'wb-hints' }, notes.map((l) =>
            h('li', { text: withCaptions(l.replace(/^orsela-cli: /, ''), captions) }))) : null,
        h('p', { className: 'wb-status', role: 'status', id: 'wb-search-loaded' }));
    const box = v.results.querySelector('.wb-scroll');
    if (box) {
        box.focus();
    }
}

function loadTorsionDesign(command, from) {
    putIntoTorsionPanel(commandRequest(command));
    say(document.getElementById('wb-search-loaded'), '已载入扭转弹簧面板。', 'ok');
    if (from && from.isConnected) {
        from.focus();
    }
}
