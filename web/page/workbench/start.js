// The start: the workbench built once the window is ready, and kept in step
// with it.
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
    const notes = [];
    state = loadState(notes);
    buildWorkbench(root, notes);
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
    showKind();
    root.dataset.ready = 'true';
}

// The tabs and their panels from the state; notes: what of the stored
// state did not fit and was dropped.
function buildWorkbench(root, notes) {
    root.replaceChildren();
    root.append(h('p', { className: 'wb-keys', text: 'F6: 在窗口与工作台之间切换; ←/→: 切换标签页' }));
    if (notes.length) {
        root.append(h('p', { className: 'wb-status', role: 'status', id: 'wb-state-note',
            'data-kind': 'warning', text: '浏览器中保存的工作台数据有不合用的部分, 已舍去: ' +
                notes.join('、') + '。其余照旧 (可在“文件与报告”中清除保存的数据)。' }));
    }
    buildKindChoice(root);
    buildTorsionPanel(root);
    buildTabs(root);
    buildMaterialPanel(panels.material);
    buildChecksPanel(panels.checks);
    buildChartsPanel(panels.charts);
    buildSearchPanel(panels.search);
    buildBatchPanel(panels.batch);
    buildFilesPanel(panels.files);
    showUserGrades();
    if (notes.length) {
        saveState(); // what was dropped stays dropped
    }
}

start().catch((error) => {
    console.error(error);
    const root = document.getElementById('workbench');
    if (root) {
        root.append(h('p', { className: 'wb-status', 'data-kind': 'error',
            text: '工作台出错: ' + (error && error.message ? error.message : error) }));
    }
});
