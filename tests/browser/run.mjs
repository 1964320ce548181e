// Runs one page check (the .test.mjs file given as argument) when what it needs is installed;
// otherwise says what is missing and exits 77, which CTest reports as a skipped test.
import { existsSync } from 'node:fs';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';

const here = dirname(fileURLToPath(import.meta.url));
const chromium = process.env.QUARVEL_CHROMIUM || '/usr/bin/chromium';
const missing = [];
if (!existsSync(join(here, 'node_modules', 'playwright-core')))
    missing.push('tests/browser/node_modules (npm ci in tests/browser)');
if (!existsSync(chromium))
    missing.push(`${chromium} (Debian package chromium)`);
if (missing.length > 0) {
    console.log(`SKIPPED: missing ${missing.join(' and ')}; scripts/install-deps.sh installs them`);
    process.exit(77);
}
await import(pathToFileURL(resolve(process.argv[2])).href);
