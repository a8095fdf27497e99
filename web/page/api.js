// window.orsela: the page's judging, for the workbench, scripts and tests
// (docs/page-api.md). Every figure comes from the same C++ as orsela-cli;
// the search and the batch run in a Web Worker so that the page stays
// responsive, and stop when their AbortSignal fires.
'use strict';

(function () {
    // The module's bytes, packed by the build (orsela-wasm.js): gzip in base64.
    async function inflateWasm(packed) {
        const bytes = Uint8Array.from(atob(packed), (c) => c.charCodeAt(0));
        const stream = new Blob([bytes]).stream().pipeThrough(new DecompressionStream('gzip'));
        return new Uint8Array(await new Response(stream).arrayBuffer());
    }

    function tooOld() {
        const loading = document.querySelector('#client .loading');
        if (loading) {
            loading.textContent = '这个浏览器不能运行本页 (它没有 DecompressionStream): ' +
                '请用新版的 Edge、Chrome、Firefox 或 Safari 打开。';
        }
        return Promise.reject(new Error('DecompressionStream is missing'));
    }

    // One instance of the module for the window and the workbench.
    const moduleReady = typeof DecompressionStream === 'undefined' ? tooOld()
        : inflateWasm(orselaWasmPacked).then((wasmBinary) => OrselaModule({ wasmBinary }));
    window.orselaModuleReady = moduleReady;
    let module = null;
    let userMaterials = '';

    function requireModule() {
        if (!module) {
            throw new Error('页面尚未载入完毕');
        }
        return module;
    }

    function requestText(request) {
        if (typeof request === 'string') {
            return request;
        }
        return JSON.stringify(Object.assign({ format: 'orsela-design/1' }, request));
    }

    // A request or a design file's text as a torsion spring's: the text as
    // given when it is not JSON, so that the refusal is the CLI's.
    function torsionText(request) {
        if (typeof request !== 'string') {
            return requestText(Object.assign({}, request, { torsion: true }));
        }
        try {
            const parsed = JSON.parse(request);
            return parsed && typeof parsed === 'object' && !Array.isArray(parsed) ?
                JSON.stringify(Object.assign(parsed, { torsion: true })) : request;
        } catch (error) {
            return request;
        }
    }

    function todaysDate() {
        const now = new Date();
        return requireModule().reportDateText(now.getFullYear(), now.getMonth() + 1, now.getDate());
    }

    function detailsText(options) {
        const details = {};
        if (options && options.titleBlock) {
            details['title-block'] = Object.entries(options.titleBlock).map(([k, v]) => k + '=' + v);
        }
        if (options && options.precisionGrade) {
            details['precision-grade'] = String(options.precisionGrade);
        }
        if (options && options.dxfVersion) {
            details['dxf-version'] = String(options.dxfVersion);
        }
        return JSON.stringify(details);
    }

    // ---- the worker: the module again, from its own source --------------

    // Chromium refuses a Worker loaded from a file: URL; one made from a Blob
    // works, and the module's factory carries its whole source.
    function workerSource() {
        return [
            'var _scriptDir = undefined;',
            'var orselaWasmPacked = ' + JSON.stringify(orselaWasmPacked) + ';',
            'var OrselaModule = (' + OrselaModule.toString() + ');',
            'var inflateWasm = ' + inflateWasm.toString() + ';',
            '(' + workerMain.toString() + ')();',
        ].join('\n');
    }

    function workerMain() {
        const ready = inflateWasm(orselaWasmPacked).then((wasmBinary) => OrselaModule({ wasmBinary }));
        let materials = '';
        self.onmessage = async (event) => {
            const { kind, args, userMaterials } = event.data;
            const m = await ready;
            try {
                if (userMaterials !== materials) {
                    const applied = m.setUserMaterials(userMaterials);
                    if (!applied.ok) {
                        throw new Error(applied.message);
                    }
                    materials = userMaterials;
                }
                let result;
                if (kind === 'search') {
                    result = m.runSearch(args[0], (pass, done, total) =>
                        self.postMessage({ progress: { pass, done, total } }));
                } else {
                    result = m.runBatch(args[0], args[1], (rows) =>
                        self.postMessage({ progress: { rows } }));
                }
                self.postMessage({ result });
            } catch (error) {
                self.postMessage({ error: String(error && error.message ? error.message : error) });
            }
        };
    }

    let workerUrl = null;
    let idleWorker = null; // kept for the next run; a stopped run's worker is ended

    function takeWorker() {
        if (idleWorker) {
            const worker = idleWorker;
            idleWorker = null;
            return worker;
        }
        if (!workerUrl) {
            workerUrl = URL.createObjectURL(new Blob([workerSource()], { type: 'text/javascript' }));
        }
        return new Worker(workerUrl);
    }

    function inWorker(kind, args, { onProgress, signal } = {}) {
        return new Promise((resolve, reject) => {
            if (signal && signal.aborted) {
                reject(new DOMException('已取消', 'AbortError'));
                return;
            }
            const worker = takeWorker();
            const stop = () => {
                worker.terminate();
                reject(new DOMException('已取消', 'AbortError'));
            };
            if (signal) {
                signal.addEventListener('abort', stop, { once: true });
            }
            worker.onmessage = (event) => {
                const data = event.data;
                if (data.progress) {
                    if (onProgress) {
                        onProgress(data.progress);
                    }
                    return;
                }
                if (signal) {
                    signal.removeEventListener('abort', stop);
                }
                idleWorker = worker;
                if (data.error) {
                    reject(new Error(data.error));
                } else {
                    resolve(data.result);
                }
            };
            worker.onerror = (event) => {
                worker.terminate();
                reject(new Error(event.message || '后台计算出错'));
            };
            worker.postMessage({ kind, args, userMaterials });
        });
    }

    function optionsText(options) {
        const texts = {};
        for (const [name, value] of Object.entries(options || {})) {
            texts[name] = typeof value === 'boolean' ? (value ? '1' : '') : String(value);
        }
        return JSON.stringify(texts);
    }

    // ---- the interface --------------------------------------------------

    const orsela = {
        ready: moduleReady.then((loaded) => {
            module = loaded;
        }),
        judgeDetails(request) {
            return requireModule().judgeRequest(requestText(request));
        },
        judge(request) {
            return orsela.judgeDetails(request).out;
        },
        judgeTorsionDetails(request) {
            return orsela.judgeDetails(torsionText(request));
        },
        judgeTorsion(request) {
            return orsela.judgeTorsionDetails(request).out;
        },
        engineeringReport(request, options = {}) {
            const report = requireModule().engineeringReportOf(requestText(request),
                options.date || todaysDate(), detailsText(options));
            return report.ok ? report.html : null;
        },
        charts(request) {
            const charts = requireModule().chartsOf(requestText(request));
            if (!charts.ok) {
                return null;
            }
            return charts.torqueAngle !== undefined ? { torqueAngle: charts.torqueAngle } :
                { loadDeflection: charts.loadDeflection, fatigue: charts.fatigue };
        },
        drawing(request, kind, options = {}) {
            return requireModule().drawingOf(requestText(request), kind,
                options.date || todaysDate(), detailsText(options));
        },
        searchDetails(options, control) {
            return inWorker('search', [optionsText(options)], control);
        },
        async search(options, control) {
            return (await orsela.searchDetails(options, control)).out;
        },
        searchTorsionDetails(options, control) {
            return orsela.searchDetails(Object.assign({}, options, { torsion: '1' }), control);
        },
        async searchTorsion(options, control) {
            return (await orsela.searchTorsionDetails(options, control)).out;
        },
        async batchDetails(csvText, options, control) {
            const printed = await inWorker('batch', [csvText, optionsText(options)], control);
            // The module's UTF-8 decoder drops a leading byte order mark.
            const texts = JSON.parse(optionsText(options));
            const asked = texts.bom && texts.bom !== '0' && texts.bom !== 'false' &&
                texts.format !== 'json';
            if (asked && printed.out && !printed.out.startsWith('\uFEFF')) {
                printed.out = '\uFEFF' + printed.out;
            }
            return printed;
        },
        async batch(csvText, options, control) {
            return (await orsela.batchDetails(csvText, options, control)).out;
        },
        materials() {
            return JSON.parse(requireModule().materialsList());
        },
        material(name, wireDiameter) {
            const d = wireDiameter === undefined || wireDiameter === null ? NaN : Number(wireDiameter);
            const text = requireModule().materialAt(String(name), d);
            return text === null ? null : JSON.parse(text);
        },
        setUserMaterials(text) {
            const applied = requireModule().setUserMaterials(String(text || ''));
            if (applied.ok) {
                userMaterials = String(text || '');
            }
            return applied.ok ? { ok: true } : { ok: false, message: applied.message };
        },
        designFile(request) {
            return requireModule().designFileOf(requestText(request), '');
        },
        readDesignFile(text, fileName) {
            const read = requireModule().designFileOf(String(text), String(fileName || '设计文件'));
            if (!read.ok) {
                return read;
            }
            return { ok: true, request: JSON.parse(read.text) };
        },
        fields() {
            return requireModule().fieldMap();
        },
    };
    window.orsela = orsela;
})();
