// quarvel-center's administrators' dashboard in headless Chromium: an administrator signs in,
// finds a learner whose name is markup shown as plain text, opens the learner's tests and sees
// the trend chart as an SVG with one point per stored attempt; a form without its CSRF token is
// refused and changes nothing.
import { execFileSync } from 'node:child_process';
import { join } from 'node:path';
import { check, freshDir, runCheck, startCenter, textOf, withPage } from './page.mjs';

const HOSTILE = '<img src=x onerror="document.title=\'owned\'">山田 & 花子';
const PASSWORD = 'a long enough password';

await runCheck('Dashboard', async () => {
    const dir = freshDir('quarvel-dashboard-');
    const db = join(dir, 'center.sqlite');
    const center = process.env.QUARVEL_CENTER;
    execFileSync(center, ['add-admin', '--db', db, '--name', 'admin'], { input: PASSWORD + '\n' });
    execFileSync(center, ['add-user', '--db', db, '--serial', 'S-7', '--name', HOSTILE]);
    const server = await startCenter(dir);
    try {
        // One uploaded history with three attempts (newest first, as the program sends them).
        const fields = new URLSearchParams({ SERIAL: 'S-7', TEST_ID: 'QV-101', LASTUPDATE: '2026/12/10 09:00:00',
                                             MAX: '90', AVG: '60', RATE00: '90', DATE00: '12100900',
                                             RATE01: '60', DATE01: '12090900', RATE02: '30', DATE02: '12080900',
                                             STATUS: 'OK' });
        const upload = await fetch(server.url('/cgi-bin/his-upload'), { method: 'POST', body: fields });
        check.equal((await upload.text()).trim(), 'OK', 'upload');

        await withPage(server.url('/admin/'), async (page) => {
            await page.fill('#name', 'admin');
            await page.fill('#password', PASSWORD);
            await Promise.all([page.waitForNavigation(), page.click('#signin')]);
            const name = await textOf(page, '#learners a');
            check.equal(name, HOSTILE, 'hostile name shown as text');
            check.equal(await page.locator('#learners img').count(), 0, 'no element made from the name');
            check.equal(await page.title() === 'owned', false, 'no script ran');

            await Promise.all([page.waitForNavigation(), page.click('#learners a')]);
            check.equal(await page.locator('#tests svg.trend circle.point').count(), 3, 'points of the trend');
            check.equal(await textOf(page, '#tests .grade'), 'A', 'latest grade');

            // The disable button's form without its token: refused, the learner stays enabled.
            await page.goto(server.url('/admin/'));
            await page.evaluate(() => document.querySelector('#learners form input[name=csrf]').remove());
            const [refused] = await Promise.all([page.waitForNavigation(), page.click('#learners form button')]);
            check.equal(refused.status(), 403, 'status without the token');
            await page.goto(server.url('/admin/'));
            check.equal(await page.locator('#learners tr.disabled').count(), 0, 'learner still enabled');
        });
    } finally {
        server.stop();
    }
});
