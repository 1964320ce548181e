// The shared page helper's escaping, as a browser sees it: values holding markup, quotes,
// ampersands and kanji show exactly as given, in a CP932 page declared Shift_JIS.
import { check, runCheck, runWriter, textOf, withPage } from './page.mjs';

await runCheck('htmlpage', async () => {
    const wrote = runWriter();
    await withPage(wrote.page, async (page) => {
        check.equal(await page.evaluate(() => document.characterSet), 'Shift_JIS', 'character set');
        check.equal(await page.title(), '頁', 'title from the template');
        check.equal(await textOf(page, '#text'), wrote.text, 'escaped text');
        check.equal(await page.$eval('#field', (input) => input.value), wrote.attribute, 'escaped attribute');
        check.equal(await page.$$eval('script', (scripts) => scripts.length), 0, 'scripts on the page');
        check.equal(await textOf(page, '#kept'), '#TEXT# stays', 'line with text beside a placeholder');
    });
});
