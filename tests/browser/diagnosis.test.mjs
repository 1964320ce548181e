// The diagnosis form as a browser shows and sends it: one option per test, one hidden field per
// test carrying its history text unchanged, the profile as typed, and the chosen test posted to
// the inquiry address.
import { check, checkCenterStoresAsSent, formFields, runCheck, runWriter, startFormServer, withPage } from './page.mjs';

// An option without a value attribute stands for its text with blanks stripped and collapsed.
const shown = (text) => text.trim().replace(/\s+/g, ' ');

async function send(page) {
    await page.selectOption('select[name="test"]', { index: 2 });
    await Promise.all([page.waitForNavigation(), page.click('input[type="submit"]')]);
}

await runCheck('diagnosis', async () => {
    const server = await startFormServer();
    try {
        const wrote = runWriter(server.url);
        await withPage(wrote.page, async (page) => {
            check.equal(await page.evaluate(() => document.characterSet), 'Shift_JIS', 'character set');
            const options = await page.$$eval('select[name="test"] option', (os) => os.map((o) => o.text));
            check.equal(options.length, 1 + wrote.tests.length, 'options: the prompt and one per test');
            for (const [i, test] of wrote.tests.entries())
                check.equal(options[i + 1], shown(test.option), `option ${i + 1}`);
            const hidden = await page.$$eval('input[type="hidden" i]', (fields) =>
                fields.map((f) => ({ name: f.name, value: f.value })));
            check.equal(hidden.length, wrote.tests.length, 'hidden fields');
            for (const [i, test] of wrote.tests.entries()) {
                check.equal(hidden[i].name, test.code, `hidden field ${i + 1} name`);
                // The line end after the value belongs to it, as the form has always sent it.
                check.equal(hidden[i].value, test.history + '\n', `hidden field ${i + 1} history text`);
            }
            check.equal(await page.$eval('input[name="name"]', (f) => f.value), wrote.name, 'name as typed');
            check.equal(await page.$$eval('script', (s) => s.length), 0, 'scripts on the page');

            await send(page);
        });
        const posts = server.requests.filter((r) => r.method === 'POST'); // the browser may also ask for an icon
        check.equal(posts.length, 1, 'forms received');
        const fields = formFields(posts[0].body);
        const chosen = wrote.tests[1];
        check.equal(fields.test, shown(chosen.option), 'the chosen test');
        check.equal(fields[chosen.code], chosen.history + '\r\n', 'its history text');
        check.equal(fields[wrote.tests[0].code], wrote.tests[0].history + '\r\n', 'the other history text');
        check.equal(fields.name, wrote.name, 'name');
        check.equal(fields.org, wrote.organisation, 'organisation');
        check.equal(fields.serial, 'S-123', 'serial');

        // The same form sent to quarvel-center is stored exactly as the browser sent it.
        await checkCenterStoresAsSent('/cgi-bin/diagnosis', send, posts[0].body);
    } finally {
        await server.close();
    }
});
