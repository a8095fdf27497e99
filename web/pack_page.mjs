// The page's build steps that join files:
//
//   node pack_page.mjs workbench OUT.js PART.js...
//     the workbench's scripts (shared helpers, one a tab, the start) as one
//     script, in the order given, inside one function: they share its names.
//
//   node pack_page.mjs single PAGE_DIR OUT.html
//     index.html with its styles and scripts (the module and its WebAssembly
//     included) inlined: one file that opens with nothing beside it.
import fs from 'node:fs';
import path from 'node:path';

const [mode, ...args] = process.argv.slice(2);

function fail(message) {
    console.error('pack_page.mjs: ' + message);
    process.exit(1);
}

function read(file) {
    try {
        return fs.readFileSync(file, 'utf8');
    } catch (error) {
        return fail(`cannot read ${file}: ${error.message}`);
    }
}

// Written only when changed, so that what depends on it is not rebuilt.
function write(file, text) {
    if (!fs.existsSync(file) || fs.readFileSync(file, 'utf8') !== text) {
        fs.writeFileSync(file, text);
    }
}

function joinWorkbench(out, parts) {
    if (parts.length === 0) {
        fail('workbench: no parts');
    }
    const body = parts.map((part) => `// ---- ${path.basename(part)} ----\n${read(part).trimEnd()}\n`);
    write(out, '// The workbench, joined by the build from web/page/workbench/ (edit those files).\n' +
        '(function () {\n\'use strict\';\n\n' + body.join('\n') + '})();\n');
}

// A script's text inside <script>: "</script" would end the element early.
function inlineScript(text) {
    return text.replace(/<\/(script)/gi, '<\\/$1');
}

function single(pageDir, out) {
    let html = read(path.join(pageDir, 'index.html'));
    let inlined = 0;
    html = html.replace(/<link rel="stylesheet" href="([^"]+)">/g, (whole, file) => {
        ++inlined;
        return '<style>\n' + read(path.join(pageDir, file)).replace(/<\/(style)/gi, '<\\/$1') + '</style>';
    });
    html = html.replace(/<script src="([^"]+)"><\/script>/g, (whole, file) => {
        ++inlined;
        return '<script>\n' + inlineScript(read(path.join(pageDir, file))) + '\n</script>';
    });
    if (inlined === 0 || /<(script|link)[^>]+(src|href)="(?!data:)/.test(html)) {
        fail(`single: ${out} would still load a file`);
    }
    write(out, html);
}

if (mode === 'workbench' && args.length >= 2) {
    joinWorkbench(args[0], args.slice(1));
} else if (mode === 'single' && args.length === 2) {
    single(args[0], args[1]);
} else {
    fail('usage: node pack_page.mjs workbench OUT.js PART.js... | single PAGE_DIR OUT.html');
}
