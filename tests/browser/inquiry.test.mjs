// The inquiry page as a person sees it: every value shows exactly as typed (markup, quotes,
// ampersands, kanji), no value runs as script, and the form posts everything to the inquiry address.
import { check, checkCenterStoresAsSent, formFields, runCheck, runWriter, startFormServer, withPage } from './page.mjs';

// A text area's value and a posted multi-line field: the template puts the value on its own line,
// so one line break follows it; line breaks are posted as CR LF.
const lines = (text) => text.replace(/\r\n/g, '\n').replace(/\n$/, '');

const typed = '選択肢 B が正解では? <i>&</i>';
async function send(page) {
    await page.fill('#inquiry', typed);
    await Promise.all([page.waitForNavigation(), page.click('#send')]);
}

await runCheck('inquiry', async () => {
    const server = await startFormServer();
    try {
        const wrote = runWriter(server.url);
        await withPage(wrote.page, async (page) => {
            check.equal(await page.evaluate(() => document.characterSet), 'Shift_JIS', 'character set');
            check.equal(await page.evaluate(() => window.broken), undefined, 'script from a value ran');
            check.equal(await page.$$eval('script', (s) => s.length), 0, 'script elements');
            check.equal(await page.$eval('form', (f) => f.action), server.url, 'form action');
            check.equal(await page.$eval('form', (f) => f.method), 'post', 'form method');
            for (const id of ['serial', 'name', 'email', 'organisation', 'test', 'number'])
                check.equal(await page.$eval('#' + id, (e) => e.value), wrote[id], id);
            check.ok(await page.$eval('#name', (e) => e.offsetWidth > 0), 'the name is on screen');
            check.equal(lines(await page.$eval('#question', (e) => e.value)), wrote.question, 'question');
            check.equal(lines(await page.$eval('#answer', (e) => e.value)), wrote.answer, 'answer block');
            check.equal(await page.$eval('#question', (e) => e.offsetHeight > 0), true, 'question shown');

            await send(page);
        });
        const posts = server.requests.filter((r) => r.method === 'POST');
        check.equal(posts.length, 1, 'posts received');
        const fields = formFields(posts[0].body);
        for (const id of ['serial', 'name', 'email', 'organisation', 'test', 'number'])
            check.equal(fields[id], wrote[id], `posted ${id}`);
        check.equal(lines(fields.question), wrote.question, 'posted question');
        check.equal(lines(fields.answer), wrote.answer, 'posted answer');
        check.equal(fields.inquiry, typed, 'posted inquiry');

        // The same page sent to quarvel-center is stored exactly as the browser sent it.
        await checkCenterStoresAsSent('/cgi-bin/inquiry', send, posts[0].body);
    } finally {
        await server.close();
    }
});
