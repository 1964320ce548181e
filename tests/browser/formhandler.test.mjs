// quarvel-center's form handler as a browser reaches it: a Shift_JIS form page posted from
// headless Chromium is stored field by field exactly as sent (markup, "&", "=", "+", "%", kanji).
import { check, freshDir, runCheck, runWriter, startCenter, textOf, withPage } from './page.mjs';

await runCheck('formhandler', async () => {
    const center = await startCenter(freshDir('quarvel-center-'));
    try {
        const wrote = runWriter(center.url('/cgi-bin/inquiry'));
        const comment = '質問です: 1+1=2 & 100% <正しい>';
        await withPage(wrote.page, async (page) => {
            await page.fill('#comment', comment);
            await Promise.all([page.waitForNavigation(), page.click('#send')]);
            check.equal(await textOf(page, '#thanks'), '送信ありがとうございました。', 'thank-you page');
        });
        check.equal(JSON.stringify(center.forms()),
                    JSON.stringify([{ fields: [['NAME', wrote.name], ['SERIAL', 'S-1'], ['COMMENT', comment]],
                                      id: 1, path: '/cgi-bin/inquiry' }]),
                    'stored fields');
    } finally {
        center.stop();
    }
});
