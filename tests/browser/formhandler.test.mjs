// quarvel-center's form handler as a browser reaches it: a Shift_JIS form page posted from
// headless Chromium is stored field by field exactly as sent (markup, "&", "=", "+", "%", kanji).
import { spawn, execFileSync } from 'node:child_process';
import { join } from 'node:path';
import { check, freshDir, runCheck, runWriter, textOf, withPage } from './page.mjs';

// quarvel-center on a free loopback port; it stops when our end of its standard input closes.
async function startCenter(dir) {
    const center = process.env.QUARVEL_CENTER;
    if (!center)
        throw new Error('QUARVEL_CENTER is not set: run the check through CTest');
    const db = join(dir, 'center.sqlite');
    const child = spawn(center, ['serve', '--db', db, '--updates', dir, '--images', dir, '--port', '0', '--until-stdin-closes'],
                        { stdio: ['pipe', 'pipe', 'inherit'] });
    const line = await new Promise((resolve, reject) => {
        const timer = setTimeout(() => reject(new Error('quarvel-center did not start')), 15000);
        child.stdout.once('data', (data) => {
            clearTimeout(timer);
            resolve(data.toString());
        });
    });
    return { address: line.trim().replace('listening on ', ''), db, stop: () => child.stdin.end() };
}

await runCheck('formhandler', async () => {
    const dir = freshDir('quarvel-center-');
    const center = await startCenter(dir);
    try {
        const wrote = runWriter(`http://${center.address}/cgi-bin/inquiry`);
        const comment = '質問です: 1+1=2 & 100% <正しい>';
        await withPage(wrote.page, async (page) => {
            await page.fill('#comment', comment);
            await Promise.all([page.waitForNavigation(), page.click('#send')]);
            check.equal(await textOf(page, '#thanks'), '送信ありがとうございました。', 'thank-you page');
        });
        const stored = execFileSync(process.env.QUARVEL_CENTER, ['forms', '--db', center.db], { encoding: 'utf8' });
        check.equal(stored, `1 /cgi-bin/inquiry NAME=${wrote.name}\n1 /cgi-bin/inquiry SERIAL=S-1\n`
                                + `1 /cgi-bin/inquiry COMMENT=${comment}\n`, 'stored fields');
    } finally {
        center.stop();
    }
});
