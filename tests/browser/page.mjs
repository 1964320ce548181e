// Shared helpers of the page checks: pages the program writes, loaded in headless Chromium.
//
// Adding a page check:
//   1. Write tests/browser/<name>.cpp: a small program that writes the page with the program's
//      own code into the directory given as its first argument and prints one line of JSON on
//      stdout describing what it wrote (at least {"page": "/abs/path.htm"}, plus whatever values
//      the check should find on the page). Link what it needs; quarvel_screens and
//      quarvel_testsupport are linked already.
//   2. Write tests/browser/<name>.test.mjs:
//          import { runWriter, withPage, check } from './page.mjs';
//          const wrote = runWriter();                 // runs <name>.cpp's program in a fresh dir
//          await withPage(wrote.page, async (page) => {
//              check.equal(await textOf(page, 'h1'), wrote.title, 'title');
//          });
//      A check that fails throws; the script then exits non-zero with the message.
//   3. Re-run cmake: every tests/browser/*.test.mjs becomes a CTest test "browser_<name>", and
//      <name>.cpp (when present) the writer whose path it finds in QUARVEL_PAGE_WRITER.
// A check without a writer may build its page itself (e.g. a fixture under tests/browser/).
//
// Chromium is Debian's /usr/bin/chromium; playwright-core comes from npm (npm ci in this
// directory, done by scripts/install-deps.sh). When either is missing the check is skipped
// (exit code 77, which CTest reports as skipped).
import { chromium } from 'playwright-core';
import { execFileSync, spawn } from 'node:child_process';
import { existsSync, mkdtempSync, rmSync } from 'node:fs';
import { createServer } from 'node:http';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { pathToFileURL } from 'node:url';

export const CHROMIUM = process.env.QUARVEL_CHROMIUM || '/usr/bin/chromium';
export const SKIP = 77;

// Thrown by the check helpers; the message says what differed.
export class CheckFailure extends Error {}

export const check = {
    equal(actual, expected, what) {
        if (actual !== expected)
            throw new CheckFailure(`${what}: expected ${JSON.stringify(expected)}, got ${JSON.stringify(actual)}`);
    },
    ok(condition, what) {
        if (!condition)
            throw new CheckFailure(`${what}: not so`);
    },
    includes(haystack, needle, what) {
        if (typeof haystack !== 'string' || !haystack.includes(needle))
            throw new CheckFailure(`${what}: ${JSON.stringify(needle)} not found in ${JSON.stringify(haystack)}`);
    },
};

// A fresh directory removed when the process exits.
export function freshDir(prefix = 'quarvel-page-') {
    const dir = mkdtempSync(join(tmpdir(), prefix));
    process.on('exit', () => rmSync(dir, { recursive: true, force: true }));
    return dir;
}

// Runs the check's writer program (QUARVEL_PAGE_WRITER) in a fresh directory with any extra
// arguments and returns the JSON it printed, with `dir` added.
export function runWriter(...args) {
    const writer = process.env.QUARVEL_PAGE_WRITER;
    if (!writer)
        throw new CheckFailure('QUARVEL_PAGE_WRITER is not set: run the check through CTest');
    const dir = freshDir();
    const out = execFileSync(writer, [dir, ...args], {
        encoding: 'utf8',
        env: { ...process.env, QT_QPA_PLATFORM: process.env.QT_QPA_PLATFORM || 'offscreen' },
    });
    const last = out.trim().split('\n').pop();
    try {
        return { dir, ...JSON.parse(last) };
    } catch {
        throw new CheckFailure(`the writer printed no JSON line: ${JSON.stringify(out)}`);
    }
}

export function fileUrl(path) {
    return pathToFileURL(path).href;
}

// Launches headless Chromium with a fresh profile; the caller closes the browser.
export async function launch() {
    const profile = freshDir('quarvel-chromium-');
    return chromium.launchPersistentContext(profile, {
        executablePath: CHROMIUM,
        headless: true,
        args: [
            '--no-sandbox',
            '--allow-file-access-from-files',
            '--disable-gpu',
            '--no-first-run',
            '--disable-background-networking',
            '--disable-component-update',
            '--disable-sync',
        ],
    });
}

// Opens `pathOrUrl` (a file path or an address) in a new page, runs `body(page)` and closes the
// browser whatever happens.
export async function withPage(pathOrUrl, body) {
    const context = await launch();
    try {
        const page = await context.newPage();
        const url = /^[a-z]+:/i.test(pathOrUrl) ? pathOrUrl : fileUrl(pathOrUrl);
        await page.goto(url, { waitUntil: 'load' });
        return await body(page, context);
    } finally {
        await context.close();
    }
}

// What a person sees in the element (its rendered text), or null when there is none.
export async function textOf(pageOrFrame, selector) {
    const element = await pageOrFrame.$(selector);
    return element ? element.innerText() : null;
}

// The natural size of an image and whether its pixels hold more than one colour.
export async function imageInfo(pageOrFrame, selector) {
    return pageOrFrame.$eval(selector, async (img) => {
        if (!img.complete)
            await new Promise((resolve) => img.addEventListener('load', resolve, { once: true }));
        const canvas = document.createElement('canvas');
        canvas.width = img.naturalWidth;
        canvas.height = img.naturalHeight;
        let colours = 0;
        if (img.naturalWidth > 0 && img.naturalHeight > 0) {
            const ctx = canvas.getContext('2d');
            ctx.drawImage(img, 0, 0);
            const data = ctx.getImageData(0, 0, canvas.width, canvas.height).data;
            const seen = new Set();
            for (let i = 0; i < data.length && seen.size < 2; i += 4)
                seen.add((data[i] << 24) | (data[i + 1] << 16) | (data[i + 2] << 8) | data[i + 3]);
            colours = seen.size;
        }
        return { width: img.naturalWidth, height: img.naturalHeight, blank: colours < 2 };
    });
}

// A loopback HTTP server that records every request (method, path, headers, raw body bytes) and
// answers 200 "received". For forms that post: point the page's action at `url`.
export async function startFormServer() {
    const requests = [];
    const server = createServer((req, res) => {
        const chunks = [];
        req.on('data', (chunk) => chunks.push(chunk));
        req.on('end', () => {
            requests.push({ method: req.method, path: req.url, headers: req.headers, body: Buffer.concat(chunks) });
            res.writeHead(200, { 'Content-Type': 'text/plain' });
            res.end('received');
        });
    });
    await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
    const { port } = server.address();
    return { url: `http://127.0.0.1:${port}/`, requests, close: () => new Promise((r) => server.close(r)) };
}

// Decodes the fields of an application/x-www-form-urlencoded body sent from a Shift_JIS page, in
// the order sent: [[name, value], ...].
export function formFieldList(body) {
    const decoder = new TextDecoder('shift_jis');
    const bytes = (s) => {
        const plus = s.replace(/\+/g, ' ');
        const out = [];
        for (let i = 0; i < plus.length; ++i) {
            if (plus[i] === '%') {
                out.push(parseInt(plus.substr(i + 1, 2), 16));
                i += 2;
            } else {
                out.push(plus.charCodeAt(i));
            }
        }
        return new Uint8Array(out);
    };
    return body.toString('latin1').split('&').filter((pair) => pair).map((pair) => {
        const [name, value = ''] = pair.split('=');
        return [decoder.decode(bytes(name)), decoder.decode(bytes(value))];
    });
}

// The same fields by name.
export function formFields(body) {
    return Object.fromEntries(formFieldList(body));
}

// quarvel-center (QUARVEL_CENTER) on a free loopback port over a fresh database in `dir`; it
// stops when our end of its standard input closes, so a failed check never leaves it running.
export async function startCenter(dir) {
    const center = process.env.QUARVEL_CENTER;
    if (!center)
        throw new CheckFailure('QUARVEL_CENTER is not set: run the check through CTest');
    const db = join(dir, 'center.sqlite');
    const child = spawn(center, ['serve', '--db', db, '--updates', dir, '--images', dir, '--port', '0', '--until-stdin-closes'],
                        { stdio: ['pipe', 'pipe', 'inherit'] });
    const line = await new Promise((resolve, reject) => {
        const timer = setTimeout(() => reject(new CheckFailure('quarvel-center did not start')), 15000);
        child.stdout.once('data', (data) => {
            clearTimeout(timer);
            resolve(data.toString());
        });
    });
    const address = line.trim().replace('listening on ', '');
    return {
        url: (path) => `http://${address}${path}`,
        // The forms it stored: [{id, path, fields: [[name, value], ...]}].
        forms: () => JSON.parse(execFileSync(center, ['forms', '--db', db, '--json'], { encoding: 'utf8' })),
        stop: () => child.stdin.end(),
    };
}

// Sends the page the check's writer makes for `path` to a fresh quarvel-center, through `send(page)`,
// and checks that the server stored exactly the fields of `sent` (the body the browser posted to
// the recorder for the same page), name for name and in order.
export async function checkCenterStoresAsSent(path, send, sent) {
    const center = await startCenter(freshDir('quarvel-center-'));
    try {
        await withPage(runWriter(center.url(path)).page, send);
        const stored = center.forms();
        check.equal(stored.length, 1, 'forms stored');
        check.equal(stored[0].path, path, 'stored under');
        check.equal(JSON.stringify(stored[0].fields), JSON.stringify(formFieldList(sent)), 'stored fields');
    } finally {
        center.stop();
    }
}

// Runs one page check: skips when Chromium or playwright-core is missing, reports a failure
// with its message and a non-zero exit code.
export async function runCheck(name, body) {
    if (!existsSync(CHROMIUM)) {
        console.log(`SKIPPED ${name}: ${CHROMIUM} is not installed (scripts/install-deps.sh installs it)`);
        process.exit(SKIP);
    }
    try {
        await body();
        console.log(`PASS ${name}`);
    } catch (error) {
        console.error(`FAIL ${name}: ${error instanceof CheckFailure ? error.message : error.stack || error}`);
        process.exit(1);
    }
}
