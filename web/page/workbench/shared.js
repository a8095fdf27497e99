// What every tab shares: the interface, the kept state, the helpers, the
// requests and the tabs themselves.

const kStoreKey = 'orsela.workbench/1';
const kTabs = [
    ['material', '材料'], ['checks', '校核'], ['charts', '特性图'],
    ['search', '设计搜索'], ['batch', '批量计算'], ['files', '文件与报告'],
];
const kKeptWindowDesign = 'orsela.window.design';
const kLoadTypes = [['static', '静负荷'], ['dynamic-limited', '动负荷, 有限寿命'],
    ['dynamic-unlimited', '动负荷, 无限寿命']];
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

// "--tensile-strength=MPa" in a message, or the key of the request the page
// judges ("设计文件“设计”: 键“load-cycles”"): the caption of the field that gives it.
function withCaptions(text, captions) {
    const keyed = text.replace(/设计文件“设计”: 键“([a-z0-9-]+)”/g, (whole, option) => {
        const caption = captions.get(option);
        return caption ? '“' + caption + '”' : whole;
    });
    return keyed.replace(/--([a-z0-9-]+)(=[^\s,，。;；)]*)?/g, (whole, option) => {
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

function freshState() {
    const none = () => Object.create(null);
    return { tab: 'material', checks: none(), search: none(), batch: Object.assign(none(), { bom: '1' }),
        material: none(), certificates: none(), files: { titleBlock: none() }, userMaterials: '',
        kind: 'window', torsion: Object.assign(none(), kTorsionStart), torsionSearch: none() };
}

function isObject(value) {
    return value !== null && typeof value === 'object' && !Array.isArray(value);
}

// A kept options object, key by key: a key the form does not have, a text
// where a switch or a choice belongs, or anything not a text is dropped
// and named in notes. "__proto__" is an unknown key like any other.
function keptOptions(kept, allowed, name, notes) {
    const fitted = Object.create(null); // any key a plain key, none the prototype
    if (kept === undefined) {
        return fitted;
    }
    if (!isObject(kept)) {
        notes.push(name);
        return fitted;
    }
    for (const [key, value] of Object.entries(kept)) {
        const kind = allowed.get(key);
        const fits = kind !== undefined && typeof value === 'string' &&
            (kind === 'switch' ? value === '1' :
                !Array.isArray(kind) || kind.some(([choice]) => choice === value));
        if (fits) {
            fitted[key] = value;
        } else {
            notes.push(`${name} “${key}”`);
        }
    }
    return fitted;
}

// The stored state as far as it fits the workbench; notes name what was dropped.
function fittedState(kept, notes) {
    const state = freshState();
    if (!isObject(kept)) {
        notes.push('全部 (不是一个对象)');
        return state;
    }
    const known = new Set(Object.keys(state));
    for (const key of Object.keys(kept)) {
        if (!known.has(key)) {
            notes.push(`“${key}”`);
        }
    }
    if (kept.tab !== undefined) {
        if (kTabs.some(([id]) => id === kept.tab)) {
            state.tab = kept.tab;
        } else {
            notes.push('打开的标签页');
        }
    }
    if (kept.kind !== undefined) {
        if (kKinds.some(([kind]) => kind === kept.kind)) {
            state.kind = kept.kind;
        } else {
            notes.push('弹簧类型');
        }
    }
    if (kept.torsion !== undefined) { // else the design to start from
        state.torsion = keptOptions(kept.torsion, new Map(kTorsionOptions.map(([o, , , kind]) =>
            [o, kind === 'text' ? null : kind])), '扭转弹簧设计', notes);
    }
    state.torsionSearch = keptOptions(kept.torsionSearch, new Map(kTorsionSearchOptions.map(
        ([o, , , kind]) => [o, kind === 'text' ? null : kind])), '扭转弹簧搜索选项', notes);
    const checkKinds = new Map(kCheckOptions.filter(([o]) => o !== 'tensile-strength')
        .map(([o, , , choices]) => [o, choices]));
    if (isObject(kept.checks) && typeof kept.checks['tensile-strength'] === 'string') {
        // Kept by an older page for every grade: it belongs to none.
        notes.push('未注明牌号的质保书 Rm');
        kept.checks = { ...kept.checks }; // a copy that keeps "__proto__" an own key
        delete kept.checks['tensile-strength'];
    }
    state.checks = keptOptions(kept.checks, checkKinds, '校核选项', notes);
    state.search = keptOptions(kept.search, new Map(kSearchOptions.map(([o, , , kind]) =>
        [o, kind === 'text' ? null : kind])), '搜索选项', notes);
    if (kept.batch !== undefined) { // else the defaults: the byte order mark Excel needs
        state.batch = keptOptions(kept.batch, new Map(kBatchOptions.map(([o, , kind]) => [o, kind])),
            '批量计算选项', notes);
    }
    state.material = keptOptions(kept.material, new Map([['grade', null],
        ['loadType', kLoadTypes]]), '材料页', notes);
    // Any grade's name is a key: a text for each.
    state.certificates = keptOptions(kept.certificates, { get: () => null }, '质保书 Rm', notes);
    const files = isObject(kept.files) ? { ...kept.files } : kept.files;
    const titleBlock = isObject(files) ? files.titleBlock : undefined;
    if (isObject(files)) {
        delete files.titleBlock;
    }
    state.files = keptOptions(files, new Map(kFileOptions.map(([o, , choices]) => [o, choices])),
        '文件与报告', notes);
    state.files.titleBlock = keptOptions(titleBlock, new Map(kTitleBlock.map(([k, choices]) =>
        [k, Array.isArray(choices) ? choices.map((c) => [c]) : null])), '标题栏', notes);
    if (kept.userMaterials !== undefined) {
        if (typeof kept.userMaterials === 'string') {
            state.userMaterials = kept.userMaterials;
        } else {
            notes.push('自有牌号');
        }
    }
    return state;
}

function loadState(notes) {
    let text = null;
    try {
        text = localStorage.getItem(kStoreKey);
    } catch (error) {
        return freshState(); // storage denied: nothing kept
    }
    if (text === null) {
        return freshState();
    }
    try {
        return fittedState(JSON.parse(text), notes);
    } catch (error) {
        notes.push('全部 (不是 JSON)');
        return freshState();
    }
}

function clearSavedData() {
    try {
        localStorage.removeItem(kStoreKey);
        localStorage.removeItem(kKeptWindowDesign);
    } catch (error) {
        // storage denied: nothing was kept either
    }
    api.setUserMaterials('');
    state = freshState();
    const bar = document.getElementById('restore');
    if (bar) {
        bar.hidden = true;
    }
    buildWorkbench(document.getElementById('workbench'), []);
    selectTab('files', false);
    say(filesView.status, '已清除浏览器中保存的数据: 工作台的选项、自有牌号、质保书 Rm 和上次的设计。' +
        ' 窗口中的设计不变。', 'ok');
}

function saveState() {
    try {
        localStorage.setItem(kStoreKey, JSON.stringify(state));
    } catch (error) {
        // Storage full or denied: the options still work for this visit.
    }
}

// ---- requests -------------------------------------------------------

// The certificate's Rm typed for a grade, or undefined.
function certificateRm(grade) {
    return typeof grade === 'string' && Object.hasOwn(state.certificates, grade) ?
        state.certificates[grade] : undefined;
}

function checkRequest(request) {
    const checked = Object.assign({}, request, state.checks, { check: true });
    delete checked['tensile-strength'];
    const rm = certificateRm(request.material);
    if (rm !== undefined) {
        checked['tensile-strength'] = rm;
    }
    return checked;
}

// Where a certificate's Rm is used, it says so and for which grade.
function rmNote(request) {
    const rm = request && request['tensile-strength'];
    return rm ? `; 抗拉强度取质保书上的 Rm = ${rm} MPa (牌号 ${request.material})` : '';
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
    // A design that carries check options sets them all; one without
    // leaves the tab's as they are. A certificate's Rm is its grade's.
    const checks = {};
    for (const [option] of kCheckOptions) {
        if (typeof request[option] === 'string' && request[option] !== '') {
            checks[option] = request[option];
        }
    }
    if (checks['tensile-strength'] !== undefined) {
        state.certificates[win.request().material] = checks['tensile-strength'];
        delete checks['tensile-strength'];
    }
    if (Object.keys(checks).length > 0) {
        state.checks = checks;
    }
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
    if (!kTabs.some(([tabId]) => tabId === id)) {
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
