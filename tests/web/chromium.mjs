// Debian's Chromium through puppeteer-core: no browser is downloaded, and a
// fresh profile keeps every run apart from the user's and from the last one.
import { createRequire } from 'node:module';

const require = createRequire(import.meta.url);
const puppeteer = require('puppeteer-core');

export const kChromium = process.env.ORSELA_CHROMIUM || '/usr/bin/chromium';

export function launchChromium(profileDir) {
    return puppeteer.launch({
        executablePath: kChromium,
        headless: true,
        protocolTimeout: 60000,
        args: [
            '--headless',
            '--no-sandbox',
            '--disable-gpu',
            '--disable-quic',
            '--no-first-run',
            '--disable-background-networking',
            '--disable-component-update',
            '--disable-sync',
            '--user-data-dir=' + profileDir,
        ],
    });
}
