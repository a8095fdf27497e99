// 材料: the grades, one grade's figures, "用于设计", the certificate's Rm and
// the user's own grades.
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
        rm.value = certificateRm(gradeSelect.value) || '';
        showGrade();
    });
    loadType.addEventListener('change', () => {
        state.material.loadType = loadType.value;
        saveState();
    });
    rm.addEventListener('input', () => {
        setCertificateRm(gradeSelect.value, rm.value);
        refreshCheckForm();
        optionsChanged();
    });
    panel.append(
        h('h2', { text: '材料' }),
        h('div', { className: 'wb-row' },
            h('div', { className: 'wb-field' }, h('label', { for: 'wb-grade', text: '牌号' }), gradeSelect),
            h('div', { className: 'wb-field' },
                h('label', { for: 'wb-grade-load-type', text: '用于设计的载荷类型' }), loadType),
            h('div', { className: 'wb-field' },
                h('label', { for: 'wb-grade-rm', text: '质保书上的抗拉强度 Rm (只用于此牌号)' }), rm,
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
    v.rm.value = certificateRm(v.gradeSelect.value) || '';
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
        `${number(m.rm_min, 0)}–${number(m.rm_max, 0)} MPa` +
        (m.rm_row_diameter !== null && m.rm_row_diameter !== undefined && Math.abs(m.rm_row_diameter - d) > 5e-7 ?
            ` (取 ${m.rm_row_diameter} mm 一行)` : '');
    fill(v.detail,
        h('h3', { text: `${m.name} (${m.standard}), 材料直径 d = ${d} mm` }),
        h('p', {}, `抗拉强度 Rm: ${rmText}`),
        m.missing ? h('p', { className: 'wb-hint', text: m.missing }) : null,
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
    const rm = certificateRm(name);
    const entry = api.material(name, windowDiameter());
    const g = entry ? entry.shear_modulus_at_diameter ?? entry.shear_modulus : null;
    if (!rm || !entry || g === null) {
        return { message: fromTable.message || '材料表没有该牌号的 G 或 [τ]' };
    }
    const checked = JSON.parse(api.judge(Object.assign({}, base, state.checks,
        { check: true, 'shear-modulus': String(g), 'tensile-strength': rm })));
    const row = (checked.checks || []).find((c) => c.id === 'allowable-stress');
    if (!row || row.limit === null) {
        return { message: checked.message || '由给定的 Rm 求不出许用切应力' };
    }
    return { g, tau: Math.floor(row.limit * 10 + 1e-6) / 10 };
}

async function useGrade(status) {
    const v = materialView;
    if (torsionKind()) {
        // The torsion panel takes E, ρ and Rm from the grade itself.
        const grade = v.gradeSelect.value;
        putIntoTorsionPanel(Object.assign({}, torsionRequest(), { material: grade,
            'tensile-strength': certificateRm(grade) }));
        say(status, `已填入扭转弹簧面板: 材料 ${grade} (E、ρ、Rm 取自牌号, 或面板中给出的值)。`, 'ok');
        return;
    }
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
    form.rule = h('select', { id: ruleId },
        h('option', { value: 'step-up-to', text: '取不小于 d 的那一行 (step-up-to)' }),
        h('option', { value: 'linear', text: '行间线性插值，仅当来源如此规定 (linear)' }));
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
    f.rule.value = entry.rm_rule || 'step-up-to';
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
