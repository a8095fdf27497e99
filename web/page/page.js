// The page's view of the form model: it builds the window from the model's
// design, keeps the DOM, the focus and the keyboard, and shows the boxes the
// model asks for, one after the other. Everything else (the switches, the
// field checks, Calculate, About, the report) is the model's, in C++.
'use strict';

(function () {
    const kTwipsPerPixel = 15;
    const kApplicationTitle = 'Orsela';
    const kReportFileName = 'Orsela结果.doc';

    let module = null;
    let form = null;
    let tabOrder = [];
    const controls = new Map(); // designer name -> its element (the focusable one)
    const accessKeys = new Map(); // KeyboardEvent.code -> its command button

    // ---- one thing at a time, as on the window's single thread ----------

    let chain = Promise.resolve();
    let busy = 0; // actions queued or running, and checks scheduled
    function serial(action) {
        ++busy;
        chain = chain
            .then(action)
            .catch((error) => {
                console.error(error);
                return showBox('error', kApplicationTitle, '运行时错误: ' + describe(error));
            })
            .finally(() => {
                --busy;
            });
        return chain;
    }

    // The yield: runs the action once the event being handled has ended.
    function later(action) {
        ++busy;
        setTimeout(() => {
            serial(action);
            --busy;
        }, 0);
    }

    function describe(error) {
        if (module && typeof error === 'number' && module.getExceptionMessage) {
            return module.getExceptionMessage(error).join(': ');
        }
        return String(error && error.message ? error.message : error);
    }

    // ---- the date, as the report prints it ------------------------------

    function todaysReportDate() {
        const now = new Date();
        return module.reportDateText(now.getFullYear(), now.getMonth() + 1, now.getDate());
    }

    // ---- the message boxes ---------------------------------------------

    const kIcons = {
        warning:
            '<svg viewBox="0 0 32 32"><path d="M16 2 31 29H1z" fill="#f7c600" stroke="#8a6d00"/>' +
            '<rect x="14.5" y="10" width="3" height="11" fill="#000"/>' +
            '<rect x="14.5" y="23" width="3" height="3" fill="#000"/></svg>',
        error:
            '<svg viewBox="0 0 32 32"><circle cx="16" cy="16" r="15" fill="#d32f2f"/>' +
            '<path d="M10 10 22 22M22 10 10 22" stroke="#fff" stroke-width="3.5"/></svg>',
        information:
            '<svg viewBox="0 0 32 32"><circle cx="16" cy="16" r="15" fill="#1e63c4"/>' +
            '<rect x="14.5" y="13" width="3" height="12" fill="#fff"/>' +
            '<rect x="14.5" y="7" width="3" height="3" fill="#fff"/></svg>',
    };

    // A modal box; resolves when the user has closed it.
    function showBox(kind, title, text) {
        const box = document.getElementById('box');
        box.dataset.kind = kind;
        box.querySelector('.box-title').textContent = title;
        box.querySelector('.box-icon').innerHTML = kIcons[kind] || kIcons.information;
        box.querySelector('.box-text').textContent = text.replace(/\r\n/g, '\n');
        return new Promise((resolve) => {
            box.addEventListener('close', () => resolve(), { once: true });
            box.showModal();
            box.querySelector('.box-ok').focus();
        });
    }

    function boxOpen() {
        return document.getElementById('box').open;
    }

    // ---- building the window from its design ----------------------------

    function px(twips) {
        return twips / kTwipsPerPixel + 'px';
    }

    function place(element, design) {
        element.style.left = px(design.left);
        element.style.top = px(design.top);
        element.style.width = px(design.width);
        element.style.height = px(design.height);
    }

    // "计 算(&C)": the caption with its access key underlined, and the key.
    function accessKeyCaption(element, caption) {
        const at = caption.indexOf('&');
        if (at < 0 || at + 1 >= caption.length) {
            element.textContent = caption;
            return '';
        }
        const key = caption[at + 1];
        const underlined = document.createElement('u');
        underlined.textContent = key;
        element.append(caption.slice(0, at), underlined, caption.slice(at + 2));
        return key.toLowerCase();
    }

    function build() {
        const size = module.clientSize();
        document.querySelector('.caption-text').textContent = size.caption;
        const client = document.getElementById('client');
        client.replaceChildren();
        client.style.width = px(size.width);
        client.style.height = px(size.height);
        const containers = new Map();
        const design = module.design();
        // Labels that name a field stand right-aligned at its left.
        const named = new Set();
        for (let i = 0; i + 1 < design.length; ++i) {
            const next = design[i + 1];
            if (design[i].kind === 'label' && (next.kind === 'input' || next.kind === 'result')) {
                named.add(design[i].name);
            }
        }
        for (const d of design) {
            const parent = d.container ? containers.get(d.container) : client;
            let outer;
            switch (d.kind) {
                case 'frame': {
                    outer = document.createElement('div');
                    outer.className = 'frame';
                    if (d.text) {
                        const caption = document.createElement('span');
                        caption.className = 'frame-caption';
                        caption.textContent = d.text;
                        outer.append(caption);
                    }
                    containers.set(d.name, outer);
                    break;
                }
                case 'label':
                case 'unit': {
                    outer = document.createElement('span');
                    outer.className = 'label' + (d.kind === 'unit' ? ' unit' : '') +
                        (named.has(d.name) ? ' names-field' : '');
                    outer.textContent = d.text;
                    break;
                }
                case 'input':
                case 'result': {
                    outer = document.createElement('input');
                    outer.type = 'text';
                    outer.autocomplete = 'off';
                    outer.spellcheck = false;
                    outer.readOnly = d.kind === 'result';
                    controls.set(d.name, outer);
                    break;
                }
                case 'option': {
                    outer = document.createElement('label');
                    outer.className = 'option';
                    const radio = document.createElement('input');
                    radio.type = 'radio';
                    radio.name = d.container;
                    radio.id = d.name;
                    const caption = document.createElement('span');
                    caption.textContent = d.text;
                    outer.append(radio, caption);
                    controls.set(d.name, radio);
                    break;
                }
                case 'command': {
                    outer = document.createElement('button');
                    outer.type = 'button';
                    const key = accessKeyCaption(outer, d.text);
                    if (key) {
                        // Alt+key in every browser, handled in onKeyDown.
                        accessKeys.set('Key' + key.toUpperCase(), outer);
                        outer.setAttribute('aria-keyshortcuts', 'Alt+' + key.toUpperCase());
                    }
                    controls.set(d.name, outer);
                    break;
                }
                default:
                    continue;
            }
            if (!outer.id && d.kind !== 'option') {
                outer.id = d.name;
            } else if (d.kind === 'option') {
                outer.id = d.name + 'Caption';
            }
            place(outer, d);
            parent.append(outer);
        }
        tabOrder = Array.from(module.tabOrder());
        connect();
        fitUnits();
        if (document.fonts) {
            document.fonts.ready.then(fitUnits); // a face loaded later may be wider
        }
    }

    // A unit label keeps inside its frame, as on the desktop, where its
    // letters are narrowed until it fits: "mm" would otherwise run across the
    // frame's border in a wide face. It may use the frame's room up to the
    // border; only beyond that are its letters narrowed.
    function fitUnits() {
        for (const unit of document.querySelectorAll('#client .unit')) {
            unit.style.transform = '';
            const frame = unit.parentElement.getBoundingClientRect();
            const border = parseFloat(getComputedStyle(unit.parentElement).borderRightWidth) || 0;
            const toBorder = frame.right - border - 2 - unit.getBoundingClientRect().left;
            const room = Math.max(unit.clientWidth, toBorder);
            const needed = unit.scrollWidth;
            if (needed > room && room > 0) {
                unit.style.transformOrigin = 'left center';
                unit.style.transform = 'scaleX(' + (room / needed).toFixed(3) + ')';
            }
        }
    }

    // ---- showing the model's state -------------------------------------

    function showControl(name, state) {
        const element = controls.get(name);
        if (!element) {
            return;
        }
        if (element.type === 'radio') {
            element.checked = state.selected;
        } else if (element.tagName === 'INPUT' && element.value !== state.text) {
            element.value = state.text;
        }
        element.disabled = !state.enabled;
    }

    function showAll() {
        for (const name of controls.keys()) {
            showControl(name, form.state(name));
        }
    }

    // Plays what the model asked for: a control written at once, a box
    // waited for before the next step shows.
    async function play() {
        const events = form.takeEvents();
        for (const e of events) {
            if (e.kind === 'changed') {
                const state = form.state(e.name);
                showControl(e.name, { text: e.text, enabled: e.enabled, selected: state.selected });
            } else {
                await showBox(e.kind, e.title, e.text);
            }
        }
    }

    // ---- the field checks -----------------------------------------------

    const numericFields = new Set();
    let pendingChecks = []; // fields left whose check has not run, oldest first
    let returningFocus = false;
    let mouseHeld = false;
    let checkAfterRelease = false;

    function isNumeric(element) {
        return element && numericFields.has(element.id);
    }

    function selectWhole(field) {
        field.setSelectionRange(0, field.value.length);
    }

    function fieldLeft(field, to) {
        if (returningFocus || boxOpen() || (to && to.closest && to.closest('dialog'))) {
            return; // a box taking the focus is not leaving the field
        }
        if (!document.hasFocus()) {
            return; // nor is another window or tab taking it: the field has it back on return
        }
        if (to === controls.get('Command3')) {
            return; // leaving for Exit is never held up by a check
        }
        pendingChecks.push(field);
        if (mouseHeld) {
            checkAfterRelease = true; // no box between the press and the release of a click
        } else {
            later(runPendingChecks);
        }
    }

    // The yield of a command that takes the focus: the check of a field just
    // left runs to its end (box included) before the command reads anything.
    async function runPendingChecks() {
        while (pendingChecks.length > 0) {
            const field = pendingChecks.shift();
            if (form.exitCheck(field.id)) {
                continue;
            }
            pendingChecks = []; // the others are checked when they are left again
            await play();
            returnFocusTo(field);
            return;
        }
    }

    function returnFocusTo(field) {
        const passed = document.activeElement;
        if (isNumeric(passed) && passed !== field) {
            passed.setSelectionRange(0, 0); // a field entered on the way keeps no selection
        }
        if (field.disabled) {
            return; // a switch has disabled it meanwhile: Calculate reports it if still wrong
        }
        returningFocus = true;
        try {
            field.focus();
        } finally {
            returningFocus = false;
        }
        selectWhole(field);
    }

    // ---- the commands --------------------------------------------------

    function focusControl(name) {
        const element = controls.get(name);
        if (element && document.activeElement !== element) {
            element.focus();
        }
    }

    async function Command1_Click() {
        focusControl('Command1');
        await runPendingChecks();
        if (form.inputInvalid()) {
            return;
        }
        const outcome = form.calculate();
        await play();
        if (outcome.end === 'completed') {
            lastCompleted = windowRequest();
            editedSince = false;
            window.dispatchEvent(new CustomEvent('orsela:calculated',
                { detail: { request: lastCompleted } }));
        }
        if (outcome.end === 'inputError') {
            const field = controls.get(outcome.field);
            if (field && !field.disabled) {
                returningFocus = true;
                try {
                    field.focus();
                } finally {
                    returningFocus = false;
                }
                selectWhole(field);
            }
        }
    }

    async function Command2_Click() {
        await runPendingChecks();
        const report = form.report();
        if (report === null) {
            return; // nothing completed yet
        }
        if (report.message) {
            await showBox('warning', kApplicationTitle, report.message);
            return;
        }
        const url = URL.createObjectURL(new Blob([report.bytes], { type: 'application/msword' }));
        const link = document.createElement('a');
        link.href = url;
        link.download = kReportFileName;
        document.body.append(link);
        link.click();
        link.remove();
        setTimeout(() => URL.revokeObjectURL(url), 60000);
    }

    // A page cannot end itself: Exit shows the window as a new start does.
    function Command3_Click() {
        pendingChecks = [];
        checkAfterRelease = false;
        form.restart(todaysReportDate());
        form.takeEvents();
        showAll();
        focusControl(tabOrder[0]);
    }

    async function Command4_Click() {
        focusControl('Command4');
        await runPendingChecks();
        if (form.about()) {
            await play();
        }
    }

    // The model reports the fields a switch enables, not the option buttons
    // themselves: every control is shown from the model afterwards, so that
    // a switch pressed from the workbench or a restored design shows.
    async function selectOption(number) {
        form.selectOption(number);
        designChanged();
        await play();
        showAll();
    }

    // ---- the keyboard ---------------------------------------------------

    function tabStops() {
        return tabOrder
            .map((name) => controls.get(name))
            .filter((element) => element && !element.disabled &&
                (element.type !== 'radio' || element.checked));
    }

    function moveFocus(backwards) {
        const stops = tabStops();
        if (stops.length === 0) {
            return;
        }
        const at = stops.indexOf(document.activeElement);
        let next;
        if (at < 0) {
            next = backwards ? stops.length - 1 : 0;
        } else {
            next = (at + (backwards ? stops.length - 1 : 1)) % stops.length;
        }
        stops[next].focus();
    }

    // F6 moves between the window and the workbench beside it, as between
    // the panes of a desktop program; the window keeps its own keys.
    function switchPane(event) {
        const windowElement = document.getElementById('FormTanHuang');
        const workbench = document.getElementById('workbench');
        if (!workbench) {
            return false;
        }
        event.preventDefault();
        if (windowElement.contains(document.activeElement)) {
            const first = workbench.querySelector('[role="tab"][aria-selected="true"]') ||
                workbench.querySelector('button, input, select, textarea, [tabindex="0"]');
            if (first) {
                first.focus();
            }
        } else {
            focusControl(tabOrder[0]);
        }
        return true;
    }

    function onKeyDown(event) {
        if (boxOpen()) {
            return; // the box has the keyboard
        }
        if (event.key === 'F6' && switchPane(event)) {
            return;
        }
        const target = event.target;
        const inWindow = document.getElementById('FormTanHuang').contains(target) ||
            target === document.body || target === document.documentElement;
        if (!inWindow) {
            return; // the workbench's controls keep the browser's keys
        }
        if (event.key === 'Tab' && !event.altKey && !event.ctrlKey && !event.metaKey) {
            event.preventDefault();
            moveFocus(event.shiftKey);
            return;
        }
        if (event.altKey && !event.ctrlKey && !event.metaKey && /^Key[A-Z]$/.test(event.code)) {
            // An access key moves the focus onto its button and runs it; Alt
            // with a letter never types, also when the button is disabled.
            event.preventDefault();
            const button = accessKeys.get(event.code);
            if (button && !button.disabled) {
                button.focus();
                button.click();
            }
            return;
        }
        if (event.key === 'Escape') {
            event.preventDefault();
            serial(Command3_Click);
            return;
        }
        if (event.key === 'Enter' && !event.altKey && !event.ctrlKey && !event.metaKey &&
            target.tagName === 'INPUT') {
            // Enter in a text field or an option button runs the default button;
            // a focused push button takes it itself.
            event.preventDefault();
            serial(Command1_Click);
        }
    }

    // ---- wiring ---------------------------------------------------------

    function connect() {
        for (const name of controls.keys()) {
            if (/^Text\d+$/.test(name) && name !== 'Text1' && !controls.get(name).readOnly) {
                numericFields.add(name);
            }
        }
        for (const [name, element] of controls) {
            if (element.tagName === 'INPUT' && element.type === 'text') {
                element.addEventListener('input', () => {
                    form.typeText(name, element.value);
                    designChanged();
                });
            }
            if (numericFields.has(name)) {
                let justEntered = false;
                element.addEventListener('focus', () => {
                    selectWhole(element); // typing replaces the whole text
                    justEntered = true;
                });
                // A click that enters the field keeps the whole text selected.
                element.addEventListener('mouseup', (event) => {
                    if (justEntered) {
                        event.preventDefault();
                        selectWhole(element);
                    }
                    justEntered = false;
                });
                element.addEventListener('keydown', () => {
                    justEntered = false;
                });
                element.addEventListener('blur', (event) => fieldLeft(element, event.relatedTarget));
            }
        }
        for (let number = 1; number <= 4; ++number) {
            const radio = controls.get('Option' + number);
            radio.addEventListener('change', () => {
                if (radio.checked) {
                    serial(() => selectOption(number));
                }
            });
        }
        const commands = [Command1_Click, Command2_Click, Command3_Click, Command4_Click];
        commands.forEach((command, i) => {
            controls.get('Command' + (i + 1)).addEventListener('click', () => serial(command));
        });
        document.addEventListener('keydown', onKeyDown);
        document.addEventListener('pointerdown', () => {
            mouseHeld = true;
        }, true);
        const released = () => {
            mouseHeld = false;
            if (checkAfterRelease) {
                checkAfterRelease = false;
                later(runPendingChecks);
            }
        };
        document.addEventListener('pointerup', released, true);
        document.addEventListener('pointercancel', released, true);
        const box = document.getElementById('box');
        box.querySelector('.box-ok').addEventListener('click', () => box.close());
    }

    // ---- the window for the workbench -----------------------------------

    let lastCompleted = null;
    let editedSince = false;
    let fieldMap = [];
    const kKeptDesign = 'orsela.window.design';

    // The window's design as a design file's object: the texts as they stand.
    function windowRequest() {
        const request = { format: 'orsela-design/1' };
        const extension = form.state('Option2').selected;
        for (const field of fieldMap) {
            // A compression spring has no initial tension: its field is
            // disabled, and a design file refuses the key.
            if (field.option !== 'initial-tension' || extension) {
                request[field.option] = form.state(field.textBox).text;
            }
        }
        request.extension = extension;
        request['known-loads'] = form.state('Option4').selected;
        return request;
    }

    function designChanged() {
        if (lastCompleted && !editedSince) {
            editedSince = true;
            window.dispatchEvent(new CustomEvent('orsela:edited'));
        }
        keepDesignSoon();
    }

    // Nothing typed is lost when the tab closes: the design is kept in the
    // browser, a moment after each change.
    let keepTimer = 0;
    function keepDesignSoon() {
        clearTimeout(keepTimer);
        keepTimer = setTimeout(keepDesign, 200);
    }

    function keepDesign() {
        try {
            localStorage.setItem(kKeptDesign, JSON.stringify(windowRequest()));
        } catch (error) {
            console.warn('设计未能保存在浏览器中:', error);
        }
    }

    function keptDesign() {
        try {
            const kept = JSON.parse(localStorage.getItem(kKeptDesign) || 'null');
            return kept && typeof kept === 'object' ? kept : null;
        } catch (error) {
            return null;
        }
    }

    // The switches first, as a user would press them, then every text.
    async function putDesign(request, check) {
        await selectOption(request.extension ? 2 : 1);
        await selectOption(request['known-loads'] ? 4 : 3);
        let accepted = true;
        for (const field of fieldMap) {
            if (typeof request[field.option] === 'string') {
                accepted = (await putText(field.textBox, request[field.option], check)) && accepted;
                if (!accepted && check) {
                    return false;
                }
            }
        }
        return accepted;
    }

    // As if typed into the field and the field then left: its exit check
    // runs and shows its box; false when it refused the text.
    async function putText(textBox, text, check) {
        const element = controls.get(textBox);
        if (!element) {
            throw new Error('没有这个输入框: ' + textBox);
        }
        element.value = text;
        form.typeText(textBox, text);
        designChanged();
        if (!check || !numericFields.has(textBox) || element.disabled) {
            return true;
        }
        if (form.exitCheck(textBox)) {
            return true;
        }
        await play();
        returnFocusTo(element);
        return false;
    }

    function offerKeptDesign() {
        const kept = keptDesign();
        if (!kept || JSON.stringify(kept) === JSON.stringify(windowRequest())) {
            return;
        }
        const bar = document.getElementById('restore');
        if (!bar) {
            return;
        }
        bar.hidden = false;
        const button = bar.querySelector('button');
        button.addEventListener('click', () => {
            bar.hidden = true;
            serial(() => putDesign(kept, false));
        }, { once: true });
        bar.querySelector('.restore-dismiss').addEventListener('click', () => {
            bar.hidden = true;
        }, { once: true });
    }

    function publishWindow() {
        window.orselaWindow = {
            request: () => windowRequest(),
            lastCompleted: () => (lastCompleted ? Object.assign({}, lastCompleted) : null),
            edited: () => editedSince,
            typeInto: (textBox, text) => serial(() => putText(textBox, String(text), true)),
            setSwitches: ({ extension, knownLoads } = {}) => serial(async () => {
                if (extension !== undefined) {
                    await selectOption(extension ? 2 : 1);
                }
                if (knownLoads !== undefined) {
                    await selectOption(knownLoads ? 4 : 3);
                }
            }),
            putDesign: (request) => serial(() => putDesign(request, true)),
            calculate: () => serial(Command1_Click),
        };
    }

    // ---- start ----------------------------------------------------------

    (window.orselaModuleReady || OrselaModule()).then((loaded) => {
        module = loaded;
        form = new module.WebForm(todaysReportDate());
        build();
        showAll();
        fieldMap = window.orsela ? Array.from(window.orsela.fields()) : [];
        publishWindow();
        offerKeptDesign();
        focusControl(tabOrder[0]);
        // For the tests and the start-up figures: ready for the first Calculate.
        window.orselaReadyAt = performance.now();
        window.orselaForm = form;
        // True once nothing is queued or running, or a box waits for the user.
        window.orselaSettled = () => busy === 0 || boxOpen();
        document.documentElement.dataset.ready = 'true';
    });
})();
