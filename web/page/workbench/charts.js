// 特性图: the report's two diagrams of the last completed calculation.
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
    if (torsionKind()) {
        v.stamp.hidden = true;
        const torsion = api.charts(torsionRequest());
        say(v.status, torsion ? '扭转弹簧面板中的设计' + rmNote(torsionRequest()) :
            '扭转弹簧面板中的设计未能计算, 没有特性图。', 'info');
        if (torsion && torsion.torqueAngle) {
            v.figures.append(svgFigure(torsion.torqueAngle, '扭矩–扭转角特性'));
        }
        return;
    }
    const request = lastRequest();
    const charts = request ? api.charts(request) : null;
    if (!charts) {
        say(v.status, request ? '上次计算的设计按现在的校核选项不能完成, 没有特性图。' :
            '尚无完成的计算: 请先在窗口中按“计算”。', 'info');
        return;
    }
    say(v.status, rmNote(request).replace(/^; /, ''), 'info');
    v.figures.append(svgFigure(charts.loadDeflection, '载荷–变形图'));
    v.figures.append(charts.fatigue ? svgFigure(charts.fatigue, '疲劳极限图') :
        h('p', { text: '没有疲劳极限图: 疲劳校核要有载荷循环次数 (校核页) 和材料的 Rm。' }));
}
