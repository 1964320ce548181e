// The launch page loads its frame's target: a document on a disc (a file name with a blank, "#"
// and kanji) and a web address with a query.
import { check, runCheck, runWriter, startFormServer, withPage } from './page.mjs';

await runCheck('launch', async () => {
    const server = await startFormServer();
    try {
        const wrote = runWriter(server.url + 'ref/');
        await withPage(wrote.page, async (page) => {
            check.equal(await page.evaluate(() => document.characterSet), 'Shift_JIS', 'character set');
            const frame = page.frame({ name: 'mainF' });
            check.ok(frame, 'the frame mainF');
            await frame.waitForSelector('#doc');
            check.equal(await frame.$eval('#doc', (e) => e.textContent), wrote.documentText, 'document in the frame');
        });
        await withPage(wrote.webPage, async (page) => {
            const frame = page.frame({ name: 'mainF' });
            check.ok(frame, 'the frame mainF');
            await frame.waitForLoadState('load');
            check.equal(await frame.evaluate(() => document.body.innerText.trim()), 'received', 'web page in the frame');
        });
        const paths = server.requests.filter((r) => r.method === 'GET').map((r) => r.path);
        check.ok(paths.includes(wrote.webPath), `the frame asked for ${wrote.webPath} (asked: ${paths.join(', ')})`);
    } finally {
        await server.close();
    }
});
