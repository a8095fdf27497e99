// What the page's tests share: the built page and orsela-cli they are given
// (ORSELA_WEB_DIR: build-web/web; ORSELA_CLI: orsela-cli), and the moves a
// user makes in the window, each waited out until the page has settled.
import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { pathToFileURL } from 'node:url';

export function builtPage() {
    const pageDir = process.env.ORSELA_WEB_DIR;
    const cli = process.env.ORSELA_CLI && path.resolve(process.env.ORSELA_CLI);
    assert.ok(pageDir && fs.existsSync(path.join(pageDir, 'index.html')), 'ORSELA_WEB_DIR: no page');
    assert.ok(cli && fs.existsSync(cli), 'ORSELA_CLI: no orsela-cli');
    return { pageDir, cli, pageUrl: pathToFileURL(path.join(pageDir, 'index.html')).href };
}

// Nothing queued or running in the window, or a box waiting for the user.
export async function settled(page) {
    await page.waitForFunction(() => window.orselaSettled());
}

// Enter a field (its whole text selected), type, and leave it with Tab.
export async function typeAndLeave(page, name, text) {
    await page.focus('#' + name);
    await page.keyboard.press('Backspace');
    if (text !== '') {
        await page.keyboard.type(text);
    }
    await page.keyboard.press('Tab');
    await settled(page);
}

export async function clickAndSettle(page, name) {
    await page.click('#' + name);
    await settled(page);
}
