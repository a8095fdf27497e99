// The workbench beside the window: materials, checks, charts, search, batch,
// files and reports. Every figure and verdict comes from window.orsela (the
// same C++ as orsela-cli); this script only asks, shows and keeps the options.
(function () {
    'use strict';

    const kStoreKey = 'orsela.workbench/1';
    const kTabs = [
        ['material', '材料'], ['checks', '校核'], ['charts', '特性图'],
        ['search', '设计搜索'], ['batch', '批量计算'], ['files', '文件与报告'],
    ];
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
        'shear-modulus': '切变模量',
    };
    const kLoadTypes = [['static', '静负荷'], ['dynamic-limited', '动负荷, 有限寿命'],
        ['dynamic-unlimited', '动负荷, 无限寿命']];
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
    const kTitleBlock = [['图号', ''], ['零件名称', ''], ['数量', ''], ['单位', ''], ['设计', ''],
        ['校对', ''], ['审核', ''], ['旋向', ['', '右', '左']], ['表面处理', ''],
        ['强压', ['', '是', '否']], ['喷丸', ['', '是', '否']]];

    let api = null; // window.orsela
    let win = null; // window.orselaWindow
    let fieldsByOption = new Map(); // option -> {textBox, caption}
    let state = null;
    let stale = false;
    const panels = {};

    // ---- small helpers --------------------------------------------------

    function h(tag, props, ...children) {
        const element = document.createElement(tag);
        for (const [key, value] of Object.entries(props || {})) {
            if (value === undefined || value === null || value === false) {
                continue;
            }
            if (key === 'text') {
                element.textContent = value;
            } else if (key.startsWith('on')) {
                element.addEventListener(key.slice(2), value);
            } else if (key === 'className') {
                element.className = value;
            } else {
                element.setAttribute(key, value === true ? '' : value);
            }
        }
        element.append(...children.flat().filter((c) => c !== null && c !== undefined));
        return element;
    }

    let idCount = 0;
    function newId(stem) {
        return 'wb-' + stem + '-' + (++idCount);
    }

    // A labelled text field or select bound to a key of an options object.
    function field(options, key, caption, unit, choices, onChange) {
        const id = newId(key);
        let control;
        if (Array.isArray(choices)) {
            control = h('select', { id },
                choices.map(([value, text]) => h('option', { value, text })));
        } else if (choices === 'switch') {
            control = h('input', { id, type: 'checkbox' });
            control.checked = options[key] === '1';
        } else {
            control = h('input', { id, type: 'text', autocomplete: 'off', spellcheck: 'false' });
        }
        if (choices !== 'switch') {
            // A select without a blank choice shows its first (the default) until chosen.
            control.value = options[key] || (Array.isArray(choices) ? choices[0][0] : '');
        }
        control.dataset.option = key;
        const update = () => {
            const value = control.type === 'checkbox' ? (control.checked ? '1' : '') : control.value;
            if (value === '') {
                delete options[key];
            } else {
                options[key] = value;
            }
            saveState();
            if (onChange) {
                onChange(key);
            }
        };
        control.addEventListener(control.tagName === 'SELECT' || control.type === 'checkbox' ?
            'change' : 'input', update);
        const row = h('div', { className: 'wb-field' + (choices === 'switch' ? ' wb-switch' : '') },
            h('label', { for: id, text: caption }), control,
            unit ? h('span', { className: 'wb-unit', text: unit }) : null);
        return { row, control };
    }

    function button(text, onclick, props) {
        return h('button', Object.assign({ type: 'button', text, onclick }, props || {}));
    }

    // A file input behind a button of the page's own words; the chosen name beside it.
    function fileChooser(id, caption, accept, onChosen) {
        const input = h('input', { type: 'file', id, accept, hidden: true, tabindex: '-1' });
        const chosen = h('span', { className: 'wb-unit', text: '未选择文件' });
        input.addEventListener('change', () => {
            chosen.textContent = input.files[0] ? input.files[0].name : '未选择文件';
            if (onChosen) {
                onChosen(input);
            }
        });
        const open = button(caption, () => input.click(), { id: id + '-button' });
        return { input, row: h('span', { className: 'wb-field' }, open, chosen, input) };
    }

    function scrollBox(...children) {
        return h('div', { className: 'wb-scroll', tabindex: '0', role: 'region',
            'aria-label': '表格 (可横向滚动)' }, ...children);
    }

    // A long list scrolls in its own box, its heading kept in view.
    function tall(box) {
        box.classList.add('wb-tall');
        return box;
    }

    function table(headers, rows, caption) {
        return h('table', {}, caption ? h('caption', { text: caption }) : null,
            h('thead', {}, h('tr', {}, headers.map((t) => h('th', { scope: 'col', text: t })))),
            rows instanceof HTMLElement ? rows : h('tbody', {}, rows));
    }

    // replaceChildren without the parts left out (null).
    function fill(element, ...children) {
        element.replaceChildren(...children.flat().filter((c) => c !== null && c !== undefined));
    }

    function cell(content, className) {
        return h('td', { className }, typeof content === 'string' ? content : content || '');
    }

    function say(target, text, kind) {
        target.textContent = text;
        target.dataset.kind = kind || 'info';
    }

    function number(value, decimals) {
        return value === null || value === undefined ? '—' : Number(value).toFixed(decimals);
    }

    function download(data, fileName, type) {
        const url = URL.createObjectURL(new Blob([data], { type }));
        const link = h('a', { href: url, download: fileName });
        document.body.append(link);
        link.click();
        link.remove();
        setTimeout(() => URL.revokeObjectURL(url), 60000);
    }

    function readFile(file, keepBom) {
        return file.arrayBuffer().then((bytes) =>
            new TextDecoder('utf-8', { fatal: true, ignoreBOM: keepBom }).decode(bytes));
    }

    // The file's text, or null once the status says it is not UTF-8.
    async function readTextOrSay(file, keepBom, status, refusal) {
        try {
            return await readFile(file, keepBom);
        } catch (error) {
            say(status, refusal, 'error');
            return null;
        }
    }

    function todaysDate() {
        const now = new Date();
        const two = (n) => String(n).padStart(2, '0');
        return `${now.getFullYear()}年${two(now.getMonth() + 1)}月${two(now.getDate())}日`;
    }

    // "--tensile-strength=MPa" in a message: the caption of the field that gives it.
    function withCaptions(text, captions) {
        return text.replace(/--([a-z0-9-]+)(=[^\s,，。;；)]*)?/g, (whole, option) => {
            const caption = captions.get(option);
            return caption ? '“' + caption + '”' : whole;
        });
    }

    function checkCaptions() {
        const captions = new Map(kCheckOptions.map(([o, c]) => [o, c]));
        for (const [option, f] of fieldsByOption) {
            captions.set(option, f.caption + ' (窗口)');
        }
        return captions;
    }

    // ---- the kept state -------------------------------------------------

    function loadState() {
        const fresh = { tab: 'material', checks: {}, search: {}, batch: {}, material: {},
            files: { titleBlock: {} }, userMaterials: '' };
        try {
            const kept = JSON.parse(localStorage.getItem(kStoreKey) || '{}');
            return Object.assign(fresh, kept && typeof kept === 'object' ? kept : {});
        } catch (error) {
            return fresh;
        }
    }

    function saveState() {
        try {
            localStorage.setItem(kStoreKey, JSON.stringify(state));
        } catch (error) {
            // Storage full or denied: the options still work for this visit.
        }
    }

    // ---- requests -------------------------------------------------------

    function checkRequest(request) {
        return Object.assign({}, request, state.checks, { check: true });
    }

    function lastRequest() {
        const request = win.lastCompleted();
        return request ? checkRequest(request) : null;
    }

    // Puts a design (its switches, then its fields) into the window; the
    // check options it carries go to the checks tab.
    async function putIntoWindow(request, status) {
        await win.setSwitches({ extension: !!request.extension, knownLoads: !!request['known-loads'] });
        const entries = [];
        if (typeof request.material === 'string' && !fieldsByOption.has('material')) {
            entries.push(['Text1', request.material, '弹簧材料']);
        }
        for (const [option, f] of fieldsByOption) {
            if (typeof request[option] === 'string') {
                entries.push([f.textBox, request[option], f.caption]);
            }
        }
        for (const [textBox, text, caption] of entries) {
            if (!await win.typeInto(textBox, text)) {
                say(status, `窗口的“${caption}”没有接受“${text}”: 请改正后再计算。`, 'error');
                return false;
            }
        }
        const checks = {};
        for (const [option] of kCheckOptions) {
            if (typeof request[option] === 'string' && request[option] !== '') {
                checks[option] = request[option];
            }
        }
        state.checks = checks;
        saveState();
        refreshCheckForm();
        return true;
    }

    // ---- tabs (WAI-ARIA tabs, automatic activation) ---------------------

    function buildTabs(root) {
        const list = h('div', { role: 'tablist', className: 'wb-tabs', 'aria-label': '工作台' });
        const tabs = kTabs.map(([id, caption]) => h('button', {
            type: 'button', role: 'tab', id: 'wb-tab-' + id, 'aria-controls': 'wb-panel-' + id,
            text: caption, onclick: () => selectTab(id, true),
        }));
        list.append(...tabs);
        list.addEventListener('keydown', (event) => {
            const at = tabs.indexOf(document.activeElement);
            const moves = { ArrowRight: at + 1, ArrowLeft: at - 1, Home: 0, End: tabs.length - 1 };
            if (at < 0 || !(event.key in moves)) {
                return;
            }
            event.preventDefault();
            const next = (moves[event.key] + tabs.length) % tabs.length;
            selectTab(kTabs[next][0], true);
        });
        root.append(list);
        for (const [id] of kTabs) {
            panels[id] = h('div', { role: 'tabpanel', id: 'wb-panel-' + id, className: 'wb-panel',
                'aria-labelledby': 'wb-tab-' + id, tabindex: '0' });
            root.append(panels[id]);
        }
    }

    const shown = {}; // tab id -> what refreshes it when it is shown
    function selectTab(id, focus) {
        if (!panels[id]) {
            id = 'material';
        }
        for (const [tabId] of kTabs) {
            const tab = document.getElementById('wb-tab-' + tabId);
            const selected = tabId === id;
            tab.setAttribute('aria-selected', String(selected));
            tab.tabIndex = selected ? 0 : -1;
            panels[tabId].hidden = !selected;
        }
        if (focus) {
            document.getElementById('wb-tab-' + id).focus();
        }
        state.tab = id;
        saveState();
        if (shown[id]) {
            shown[id]();
        }
    }

    // ---- 材料 -----------------------------------------------------------

    let materialView = null;

    function rmRange(entry) {
        const rows = entry.rm || [];
        return rows.length ? `${rows[0][0]}–${rows[rows.length - 1][0]}` : '—';
    }

    function windowDiameter() {
        const d = win.request()['wire-diameter'];
        return typeof d === 'string' && d !== '' ? d : '4';
    }

    function buildMaterialPanel(panel) {
        const list = h('tbody');
        const gradeSelect = h('select', { id: 'wb-grade' });
        const loadType = h('select', { id: 'wb-grade-load-type' },
            kLoadTypes.map(([value, text]) => h('option', { value, text })));
        const rm = h('input', { id: 'wb-grade-rm', type: 'text', autocomplete: 'off' });
        const detail = h('div', { className: 'wb-detail', 'aria-live': 'polite' });
        const status = h('p', { className: 'wb-status', role: 'status' });
        gradeSelect.addEventListener('change', () => {
            state.material.grade = gradeSelect.value;
            saveState();
            showGrade();
        });
        loadType.addEventListener('change', () => {
            state.material.loadType = loadType.value;
            saveState();
        });
        rm.addEventListener('input', () => {
            if (rm.value.trim() === '') {
                delete state.checks['tensile-strength'];
            } else {
                state.checks['tensile-strength'] = rm.value.trim();
            }
            saveState();
            refreshCheckForm();
        });
        panel.append(
            h('h2', { text: '材料' }),
            h('div', { className: 'wb-row' },
                h('div', { className: 'wb-field' }, h('label', { for: 'wb-grade', text: '牌号' }), gradeSelect),
                h('div', { className: 'wb-field' },
                    h('label', { for: 'wb-grade-load-type', text: '用于设计的载荷类型' }), loadType),
                h('div', { className: 'wb-field' },
                    h('label', { for: 'wb-grade-rm', text: '质保书上的抗拉强度 Rm' }), rm,
                    h('span', { className: 'wb-unit', text: 'MPa' })),
                button('用于设计', () => useGrade(status), { id: 'wb-grade-use' })),
            status, detail,
            h('h3', { text: '全部牌号' }),
            tall(scrollBox(table(['牌号', '标准', 'G (MPa)', 'E (MPa)', 'ρ (kg/dm³)', 'Rm 表直径 (mm)', '来源'],
                list))),
            buildUserMaterials());
        materialView = { list, gradeSelect, loadType, rm, detail, status };
        shown.material = showMaterials;
    }

    function showMaterials() {
        const v = materialView;
        const grades = api.materials();
        v.list.replaceChildren(...grades.map((g) => h('tr', { 'data-grade': g.name },
            h('th', { scope: 'row', text: g.name }), cell(g.standard), cell(number(g.shear_modulus, 0)),
            cell(number(g.elastic_modulus, 0)), cell(g.density === null ? '—' : String(g.density)),
            cell(rmRange(g)), cell(h('div', { className: 'wb-clamp', text: g.source }), 'wb-source'))));
        const wanted = state.material.grade || win.request().material || grades[0].name;
        v.gradeSelect.replaceChildren(...grades.map((g) => h('option', { value: g.name, text: g.name })));
        const known = api.material(wanted, windowDiameter());
        v.gradeSelect.value = known ? known.name : grades[0].name;
        v.loadType.value = state.material.loadType || 'static';
        v.rm.value = state.checks['tensile-strength'] || '';
        showGrade();
    }

    function showGrade() {
        const v = materialView;
        const d = windowDiameter();
        const m = api.material(v.gradeSelect.value, d);
        for (const row of v.list.rows) {
            row.classList.toggle('wb-selected', row.dataset.grade === v.gradeSelect.value);
        }
        if (!m) {
            v.detail.replaceChildren(h('p', { text: `没有牌号“${v.gradeSelect.value}”。` }));
            return;
        }
        const p = m.permissible || {};
        const ext = p.extension || {};
        const mpa = (x) => (x === null || x === undefined ? '—' : number(x, 1) + ' MPa');
        const rmText = m.rm_min === null || m.rm_min === undefined ? '— (材料表没有该直径的 Rm)' :
            `${number(m.rm_min, 0)}–${number(m.rm_max, 0)} MPa`;
        const needsRm = m.rm_min === null || m.rm_min === undefined;
        fill(v.detail,
            h('h3', { text: `${m.name} (${m.standard}), 材料直径 d = ${d} mm` }),
            h('p', {}, `抗拉强度 Rm: ${rmText}`),
            needsRm ? h('p', { className: 'wb-hint', text:
                '该牌号在此直径没有抗拉强度表: 请在上面输入钢丝质保书上的 Rm, 校核与“用于设计”都用它。' }) : null,
            scrollBox(table(['许用切应力', ...kLoadTypes.map(([, t]) => t)], [
                h('tr', {}, h('th', { scope: 'row', text: '压缩弹簧' }),
                    kLoadTypes.map(([k]) => cell(mpa(p[k])))),
                h('tr', {}, h('th', { scope: 'row', text: '拉伸弹簧' }),
                    kLoadTypes.map(([k]) => cell(mpa(ext[k])))),
            ])),
            m.permissible_clause ? h('p', { className: 'wb-small', text: '依据: ' + m.permissible_clause }) : null,
            (m.problems || []).length ? h('ul', { className: 'wb-problems' },
                m.problems.map((t) => h('li', { text: t }))) : null,
            h('p', { className: 'wb-small', text: '来源: ' + m.source }),
            m.note ? h('p', { className: 'wb-small', text: '附注: ' + m.note }) : null);
    }

    // G and [τ] as orsela-cli --from-material takes them (rounded as it rounds);
    // a grade without an Rm table: [τ] as the checks take it from the given Rm.
    function gradeFigures(name, loadType) {
        const base = Object.assign({}, win.request(), { material: name, 'load-type': loadType });
        delete base['shear-modulus'];
        delete base['allowable-shear-stress'];
        const fromTable = JSON.parse(api.judge(Object.assign({}, base, { 'from-material': true })));
        const taken = fromTable.inputs_from_material || {};
        if (taken.ShearModulus !== undefined && taken.AllowableShearStress !== undefined) {
            return { g: taken.ShearModulus, tau: taken.AllowableShearStress };
        }
        const rm = state.checks['tensile-strength'];
        const entry = api.material(name, windowDiameter());
        if (!rm || !entry || entry.shear_modulus === null) {
            return { message: fromTable.message || '材料表没有该牌号的 G 或 [τ]' };
        }
        const checked = JSON.parse(api.judge(Object.assign({}, base, state.checks,
            { check: true, 'shear-modulus': String(entry.shear_modulus) })));
        const row = (checked.checks || []).find((c) => c.id === 'allowable-stress');
        if (!row || row.limit === null) {
            return { message: checked.message || '由给定的 Rm 求不出许用切应力' };
        }
        return { g: entry.shear_modulus, tau: Math.floor(row.limit * 10 + 1e-6) / 10 };
    }

    async function useGrade(status) {
        const v = materialView;
        const figures = gradeFigures(v.gradeSelect.value, v.loadType.value);
        if (figures.message) {
            say(status, `“${v.gradeSelect.value}”不能用于设计: ${withCaptions(figures.message,
                new Map([['allowable-shear-stress', '许用切应力'], ['from-material', '取自材料']]))}`, 'error');
            return;
        }
        const entries = [['Text1', v.gradeSelect.value, '弹簧材料'], ['Text2', String(figures.g), '切变模量'],
            ['Text3', String(figures.tau), '许用切应力']];
        for (const [textBox, text, caption] of entries) {
            if (!await win.typeInto(textBox, text)) {
                say(status, `窗口的“${caption}”没有接受“${text}”。`, 'error');
                return;
            }
        }
        say(status, `已填入窗口: 弹簧材料 ${v.gradeSelect.value}, 切变模量 ${figures.g} MPa, ` +
            `许用切应力 ${figures.tau} MPa (${kLoadTypes.find(([k]) => k === v.loadType.value)[1]})。`, 'ok');
    }

    // ---- the user's own grades -------------------------------------------

    let userView = null;

    function userRoot() {
        try {
            const root = JSON.parse(state.userMaterials || '');
            if (root && typeof root === 'object' && Array.isArray(root.materials)) {
                return root;
            }
        } catch (error) {
            // none yet
        }
        return { format: 1, materials: [] };
    }

    function buildUserMaterials() {
        const status = h('p', { className: 'wb-status', role: 'status' });
        const list = h('tbody');
        const form = {};
        const text = (key, caption, unit) => {
            const id = newId(key);
            form[key] = h('input', { id, type: 'text', autocomplete: 'off' });
            return h('div', { className: 'wb-field' }, h('label', { for: id, text: caption }), form[key],
                unit ? h('span', { className: 'wb-unit', text: unit }) : null);
        };
        const familyId = newId('family');
        form.family = h('select', { id: familyId });
        const ruleId = newId('rule');
        form.rule = h('select', { id: ruleId }, h('option', { value: 'linear', text: '行间线性插值 (linear)' }),
            h('option', { value: 'step-up-to', text: '取不小于 d 的那一行 (step-up-to)' }));
        const rmRows = h('tbody');
        const importer = fileChooser('wb-user-import', '导入 materials.json…', '.json,application/json',
            (input) => importUserMaterials(input, status));
        const box = h('section', { className: 'wb-user', 'aria-labelledby': 'wb-user-title' },
            h('h3', { id: 'wb-user-title', text: '自有牌号 (materials.json)' }),
            scrollBox(table(['牌号', '标准', 'G (MPa)', 'Rm 表直径 (mm)', ''], list)),
            h('div', { className: 'wb-grid' }, text('name', '牌号'), text('standard', '标准'),
                h('div', { className: 'wb-field' }, h('label', { for: familyId, text: '材料类别' }), form.family),
                text('g', '切变模量 G', 'MPa'), text('e', '弹性模量 E', 'MPa'), text('rho', '密度 ρ', 'kg/dm³'),
                h('div', { className: 'wb-field' }, h('label', { for: ruleId, text: 'Rm 取值' }), form.rule)),
            scrollBox(table(['直径 d (mm)', 'Rm min (MPa)', 'Rm max (MPa)', ''], rmRows, '抗拉强度表')),
            button('添加 Rm 行', () => addRmRow(rmRows, ['', '', '']), { id: 'wb-user-add-row' }),
            h('div', { className: 'wb-grid' }, text('source', '来源'), text('note', '附注')),
            h('div', { className: 'wb-row' },
                button('保存牌号', () => saveUserGrade(status), { id: 'wb-user-save' }),
                button('新牌号', () => editUserGrade(null), { id: 'wb-user-new' }),
                importer.row,
                button('导出 materials.json', () => download(state.userMaterials ||
                    JSON.stringify(userRoot(), null, 1), 'materials.json', 'application/json'),
                { id: 'wb-user-export' })),
            status);
        userView = { list, form, rmRows, status };
        return box;
    }

    function addRmRow(rmRows, values) {
        const inputs = values.map((v, i) => h('input', { type: 'text', autocomplete: 'off', value: String(v),
            'aria-label': ['直径 d', 'Rm min', 'Rm max'][i] }));
        const row = h('tr', {}, inputs.map((input) => h('td', {}, input)),
            h('td', {}, button('删除', () => row.remove(), { 'aria-label': '删除这一行' })));
        rmRows.append(row);
    }

    function showUserGrades() {
        const v = userView;
        const root = userRoot();
        const families = [...new Set(api.materials().map((g) => g.family))];
        const family = v.form.family.value;
        v.form.family.replaceChildren(...families.map((f) => h('option', { value: f, text: f })));
        v.form.family.value = family || families[0];
        v.list.replaceChildren(...root.materials.map((g, i) => h('tr', {},
            h('th', { scope: 'row', text: g.name }), cell(g.standard), cell(String(g.shear_modulus ?? '—')),
            cell(rmRange(g)), h('td', {},
                button('编辑', () => editUserGrade(g), { 'aria-label': '编辑 ' + g.name }),
                button('删除', () => removeUserGrade(i), { 'aria-label': '删除 ' + g.name })))));
    }

    function editUserGrade(g) {
        const f = userView.form;
        const entry = g || {};
        f.name.value = entry.name || '';
        f.standard.value = entry.standard || '';
        if (entry.family) {
            f.family.value = entry.family;
        }
        f.g.value = entry.shear_modulus ?? '';
        f.e.value = entry.elastic_modulus ?? '';
        f.rho.value = entry.density ?? '';
        f.rule.value = entry.rm_rule || 'linear';
        f.source.value = entry.source || '';
        f.note.value = entry.note || '';
        userView.rmRows.replaceChildren();
        for (const row of entry.rm || []) {
            addRmRow(userView.rmRows, row);
        }
        f.name.focus();
    }

    // The form as a materials.json entry; a figure that is not a number is named.
    function gradeFromForm() {
        const f = userView.form;
        const figure = (input, caption) => {
            const t = input.value.trim();
            if (t === '') {
                return null;
            }
            if (!/^[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?$/.test(t)) {
                throw new Error(`“${caption}”的“${t}”不是一个数值`);
            }
            return Number(t);
        };
        const rm = [...userView.rmRows.rows].map((row, i) => [...row.querySelectorAll('input')]
            .map((input, j) => figure(input, `抗拉强度表第 ${i + 1} 行的${['直径 d', 'Rm min', 'Rm max'][j]}`)));
        const entry = {
            name: f.name.value.trim(), standard: f.standard.value.trim(), family: f.family.value,
            shear_modulus: figure(f.g, '切变模量 G'), elastic_modulus: figure(f.e, '弹性模量 E'),
            density: figure(f.rho, '密度 ρ'), rm_rule: f.rule.value, rm, source: f.source.value.trim(),
        };
        if (f.note.value.trim()) {
            entry.note = f.note.value.trim();
        }
        return entry;
    }

    // Applies a whole materials.json text; refused: the CLI's message, nothing changed.
    function applyUserMaterials(text, status, done) {
        const result = api.setUserMaterials(text);
        if (!result.ok) {
            say(status, result.message, 'error');
            return false;
        }
        state.userMaterials = text;
        saveState();
        say(status, done, 'ok');
        showUserGrades();
        showMaterials();
        return true;
    }

    function saveUserGrade(status) {
        let entry;
        try {
            entry = gradeFromForm();
        } catch (error) {
            say(status, error.message, 'error');
            return;
        }
        const root = userRoot();
        const at = root.materials.findIndex((g) => g.name === entry.name);
        if (at >= 0) {
            root.materials[at] = Object.assign(root.materials[at], entry);
        } else {
            root.materials.push(entry);
        }
        applyUserMaterials(JSON.stringify(root, null, 1), status, `已保存牌号“${entry.name}”。`);
    }

    function removeUserGrade(index) {
        const root = userRoot();
        const [gone] = root.materials.splice(index, 1);
        const text = root.materials.length || root.wire_diameter_series ? JSON.stringify(root, null, 1) : '';
        applyUserMaterials(text, userView.status, `已删除牌号“${gone.name}”。`);
    }

    async function importUserMaterials(input, status) {
        const file = input.files[0];
        input.value = '';
        if (!file) {
            return;
        }
        const text = await readTextOrSay(file, false, status,
            `文件“${file.name}”不是 UTF-8 文本, 未导入。`);
        if (text === null) {
            return;
        }
        applyUserMaterials(text, status, `已导入“${file.name}”。`);
    }

    // ---- 校核 -----------------------------------------------------------

    let checksView = null;

    function buildChecksPanel(panel) {
        const form = h('div', { className: 'wb-grid', id: 'wb-check-options' });
        const stamp = h('p', { className: 'wb-stale', role: 'status' });
        const status = h('p', { className: 'wb-status', role: 'status' });
        const rows = h('tbody');
        const hints = h('ul', { className: 'wb-hints' });
        panel.append(h('h2', { text: '校核' }), h('h3', { text: '校核选项' }), form, stamp, status,
            scrollBox(table(['校核项', '数值', '限值', '结论', '说明', '依据'], rows)),
            h('h3', { text: '提示' }), hints);
        checksView = { form, stamp, status, rows, hints };
        refreshCheckForm();
        shown.checks = showChecks;
    }

    let rejudge = 0;
    function refreshCheckForm() {
        if (!checksView) {
            return;
        }
        checksView.form.replaceChildren(...kCheckOptions.map(([key, caption, unit, choices]) =>
            field(state.checks, key, caption, unit, choices, () => {
                clearTimeout(rejudge);
                rejudge = setTimeout(optionsChanged, 120);
            }).row));
        if (materialView) {
            materialView.rm.value = state.checks['tensile-strength'] || '';
        }
    }

    function optionsChanged() {
        if (materialView && document.activeElement !== materialView.rm) {
            materialView.rm.value = state.checks['tensile-strength'] || '';
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
                `${outcome.checks.length} 项校核`, 'info');
        }
        v.rows.replaceChildren(...(outcome.checks || []).map((c) => {
            const [symbol, word] = kVerdicts[c.verdict] || ['?', c.verdict];
            const unit = c.unit ? ' ' + c.unit : '';
            return h('tr', { 'data-check': c.id, 'data-verdict': c.verdict },
                h('th', { scope: 'row', text: kCheckNames[c.id] || c.id }),
                cell(c.value === null ? '—' : number(c.value, 3) + unit, 'wb-num'),
                cell(c.limit === null ? '—' : number(c.limit, 3) + unit, 'wb-num'),
                cell(symbol + ' ' + word, 'wb-verdict'), cell(c.message), cell(c.clause, 'wb-small'));
        }));
        const lines = details.err.split('\n').filter((line) => line.trim() !== '');
        v.hints.replaceChildren(...lines.map((line) =>
            h('li', { text: withCaptions(line.replace(/^orsela-cli: /, ''), captions) })));
    }

    // ---- 特性图 ---------------------------------------------------------

    let chartsView = null;

    function buildChartsPanel(panel) {
        const stamp = h('p', { className: 'wb-stale', role: 'status' });
        const status = h('p', { className: 'wb-status', role: 'status' });
        const figures = h('div', { className: 'wb-charts' });
        panel.append(h('h2', { text: '特性图' }), stamp, status, figures);
        chartsView = { stamp, status, figures };
        shown.charts = showCharts;
    }

    // The diagram as the report holds it (inline SVG, maybe without xmlns),
    // parsed as HTML would parse it; a template runs nothing.
    function svgFigure(text, caption) {
        const holder = document.createElement('template');
        holder.innerHTML = text;
        const svg = holder.content.querySelector('svg');
        if (!svg) {
            return h('p', { text: caption + ': 图无法显示。' });
        }
        svg.setAttribute('role', 'img');
        svg.setAttribute('aria-label', caption);
        return h('figure', {}, document.importNode(svg, true), h('figcaption', { text: caption }));
    }

    function showCharts() {
        const v = chartsView;
        showStale(v.stamp);
        v.figures.replaceChildren();
        const request = lastRequest();
        const charts = request ? api.charts(request) : null;
        if (!charts) {
            say(v.status, request ? '上次计算的设计按现在的校核选项不能完成, 没有特性图。' :
                '尚无完成的计算: 请先在窗口中按“计算”。', 'info');
            return;
        }
        say(v.status, '', 'info');
        v.figures.append(svgFigure(charts.loadDeflection, '载荷–变形图'));
        v.figures.append(charts.fatigue ? svgFigure(charts.fatigue, '疲劳极限图') :
            h('p', { text: '没有疲劳极限图: 疲劳校核要有载荷循环次数 (校核页) 和材料的 Rm。' }));
    }

    // ---- 设计搜索 -------------------------------------------------------

    let searchView = null;

    function buildSearchPanel(panel) {
        const required = h('fieldset', {}, h('legend', { text: '要求 (必需)' }));
        const optional = h('fieldset', {}, h('legend', { text: '其他选项' }));
        const grades = h('datalist', { id: 'wb-grade-names' });
        for (const [key, caption, unit, kind, needed] of kSearchOptions) {
            const { row, control } = field(state.search, key, caption, unit,
                kind === 'text' ? null : kind);
            if (key === 'material') {
                control.setAttribute('list', 'wb-grade-names');
            }
            if (needed) {
                control.setAttribute('aria-required', 'true');
            }
            (needed ? required : optional).append(row);
        }
        optional.append(h('p', { className: 'wb-small', text:
            '材料文件: 用“材料”页的自有牌号。每个结果可存为设计文件 (“保存”)。' }));
        const run = button('搜索', () => runSearch(), { id: 'wb-search-run' });
        const cancel = button('取消', () => searchView.abort && searchView.abort.abort(),
            { id: 'wb-search-cancel', disabled: true });
        const progress = h('progress', { id: 'wb-search-progress', max: '1', value: '0',
            'aria-label': '搜索进度' });
        const status = h('p', { className: 'wb-status', role: 'status', 'aria-live': 'polite' });
        const results = h('div', { className: 'wb-results' });
        const form = h('form', { className: 'wb-search-form', onsubmit: (e) => {
            e.preventDefault();
            runSearch();
        } }, required, optional, grades);
        panel.append(h('h2', { text: '设计搜索' }), form,
            h('div', { className: 'wb-row' }, run, cancel, progress), status, results);
        searchView = { run, cancel, progress, status, results, grades, abort: null };
        shown.search = () => {
            grades.replaceChildren(...api.materials().map((g) => h('option', { value: g.name })));
        };
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
        const captions = new Map(kSearchOptions.map(([o, c]) => [o, c]));
        try {
            const details = await api.searchDetails(Object.assign({}, state.search), {
                signal: v.abort.signal,
                onProgress: ({ pass, done, total }) => {
                    v.progress.max = total || 1;
                    v.progress.value = done;
                    say(v.status, `正在搜索 (第 ${pass} 遍): ${done} / ${total}`, 'info');
                },
            });
            showSearch(JSON.parse(details.out), details, captions);
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

    // ---- 批量计算 -------------------------------------------------------

    let batchView = null;

    function buildBatchPanel(panel) {
        const chooser = fileChooser('wb-batch-file', '选择设计表 (CSV)…', '.csv,text/csv');
        const input = chooser.input;
        const options = h('div', { className: 'wb-grid' },
            field(state.batch, 'check', '工程校核 (check)', '', 'switch').row,
            field(state.batch, 'with-inputs', '重复每行的输入 (with-inputs)', '', 'switch').row,
            field(state.batch, 'bom', 'CSV 开头写入字节顺序标记 (bom)', '', 'switch').row,
            field(state.batch, 'format', '输出格式', '', [['', 'CSV'], ['json', '每行一个 JSON 对象']]).row);
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

    async function runBatch() {
        const v = batchView;
        const file = v.input.files[0];
        if (!file) {
            say(v.status, '请先选择设计表文件 (CSV)。', 'error');
            document.getElementById('wb-batch-file-button').focus();
            return;
        }
        if (v.abort) {
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
    }

    function saveBatch() {
        const r = batchView.result;
        if (r) {
            download(r.data, r.name, r.type);
        }
    }

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
                choices.map((c) => [c, c || '—']) : null).row));
        const drawingOptions = h('div', { className: 'wb-grid' },
            field(files, 'date', '日期 (yyyy年mm月dd日, 不给: 今天)', '', null).row,
            field(files, 'precisionGrade', '精度等级 (GB/T 1239)', '', [['', '2 级'], ['1', '1 级'], ['3', '3 级']]).row,
            field(files, 'dxfVersion', 'DXF 版本', '', [['', '2007 (UTF-8)'], ['2000', '2000 (GBK)']]).row);
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
            status,
            h('details', { className: 'wb-details' }, h('summary', { text: '标题栏与图样选项' }),
                drawingOptions, titleBlock));
        filesView = { status, stamp };
        shown.files = () => showStale(stamp);
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
        const request = Object.assign({}, read.request);
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
        const saved = api.designFile(checkRequest(win.request()));
        if (!saved.ok) {
            say(status, '设计未保存: ' + saved.message, 'error');
            return;
        }
        download(saved.text, '设计.json', 'application/json');
        say(status, '已下载“设计.json”。', 'ok');
    }

    function reportDate() {
        return state.files.date || todaysDate();
    }

    function report(status) {
        const request = lastRequest();
        const html = request ? api.engineeringReport(request, { date: reportDate() }) : null;
        if (html === null) {
            say(status, request ? '上次计算的设计按现在的校核选项不能完成, 没有计算书。' :
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
        const request = lastRequest();
        if (!request) {
            say(status, '尚无完成的计算: 请先在窗口中按“计算”。', 'error');
            return;
        }
        const f = state.files;
        const drawn = api.drawing(request, kind, { date: reportDate(), titleBlock: Object.assign({}, f.titleBlock),
            precisionGrade: f.precisionGrade || undefined, dxfVersion: f.dxfVersion || undefined });
        if (!drawn.ok) {
            say(status, '工作图未生成: ' + drawn.message, 'error');
            return;
        }
        const name = '弹簧工作图.' + kind;
        download(drawn.data, name, kind === 'svg' ? 'image/svg+xml' : 'application/dxf');
        say(status, `已下载“${name}”。`, 'ok');
    }

    // ---- wiring ---------------------------------------------------------

    function onCalculated() {
        stale = false;
        refreshShown();
    }

    function onEdited() {
        stale = true;
        refreshShown();
    }

    function refreshShown() {
        if (shown[state.tab]) {
            shown[state.tab]();
        }
    }

    function whenPageReady() {
        return new Promise((resolve) => {
            const ready = () => document.documentElement.dataset.ready === 'true';
            if (ready()) {
                resolve();
                return;
            }
            const watch = new MutationObserver(() => {
                if (ready()) {
                    watch.disconnect();
                    resolve();
                }
            });
            watch.observe(document.documentElement, { attributes: true, attributeFilter: ['data-ready'] });
        });
    }

    async function start() {
        const root = document.getElementById('workbench');
        if (!root) {
            return;
        }
        if (!window.orsela) {
            root.replaceChildren(h('p', { text: '工作台不可用: 本页缺少计算接口 (api.js)。' }));
            return;
        }
        api = window.orsela;
        await api.ready;
        await whenPageReady();
        win = window.orselaWindow;
        fieldsByOption = new Map(api.fields().map((f) => [f.option, f]));
        state = loadState();
        root.replaceChildren();
        root.append(h('p', { className: 'wb-keys', text: 'F6: 在窗口与工作台之间切换; ←/→: 切换标签页' }));
        buildTabs(root);
        buildMaterialPanel(panels.material);
        buildChecksPanel(panels.checks);
        buildChartsPanel(panels.charts);
        buildSearchPanel(panels.search);
        buildBatchPanel(panels.batch);
        buildFilesPanel(panels.files);
        if (state.userMaterials) {
            const applied = api.setUserMaterials(state.userMaterials);
            if (!applied.ok) {
                say(userView.status, '上次保存的自有牌号未能使用: ' + applied.message, 'error');
            }
        }
        showUserGrades();
        stale = win.edited();
        window.addEventListener('orsela:calculated', onCalculated);
        window.addEventListener('orsela:edited', onEdited);
        selectTab(state.tab, false);
        root.dataset.ready = 'true';
    }

    start().catch((error) => {
        console.error(error);
        const root = document.getElementById('workbench');
        if (root) {
            root.append(h('p', { className: 'wb-status', 'data-kind': 'error',
                text: '工作台出错: ' + (error && error.message ? error.message : error) }));
        }
    });
})();
