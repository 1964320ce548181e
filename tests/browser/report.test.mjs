// The printed report and the summary page as a browser shows them: both charts load as 608 x 140
// pictures that are not blank, every bar has its computed widths, and the Japanese texts and the
// user's name show exactly as given.
import { check, imageInfo, runCheck, runWriter, textOf, withPage } from './page.mjs';

// The widths of the bar pictures in each row, in page order: [[red, black], ...].
async function bars(page) {
    return page.$$eval('td', (cells) =>
        cells
            .map((td) => [...td.querySelectorAll('img[src="red.gif"], img[src="black.gif"]')])
            .filter((imgs) => imgs.length > 0)
            .map((imgs) => imgs.map((img) => `${img.getAttribute('src')}:${img.width}x${img.height}`).join(' ')));
}

async function allPicturesLoaded(page, what) {
    const broken = await page.$$eval('img', (imgs) => imgs.filter((img) => img.naturalWidth === 0).map((img) => img.src));
    check.equal(broken.length, 0, `${what}: pictures that did not load (${broken.join(', ')})`);
}

await runCheck('report', async () => {
    const wrote = runWriter();
    await withPage(wrote.page, async (page) => {
        check.equal(await page.evaluate(() => document.characterSet), 'Shift_JIS', 'character set');
        await allPicturesLoaded(page, 'Print.htm');
        for (const chart of ['SEISEKI.png', 'TIME.png']) {
            const info = await imageInfo(page, `img[src="${chart}"]`);
            check.equal(`${info.width}x${info.height}`, '608x140', `${chart} size`);
            check.ok(!info.blank, `${chart} is not blank`);
        }
        const body = await textOf(page, 'body');
        check.includes(body, '今回の成績', 'heading');
        check.includes(body, `■氏名：${wrote.name}`, 'the name as typed');
        check.includes(body, '■モード：模擬試験', 'mode');
        check.includes(body, '■正答率：50％', 'rate');
        check.includes(body, '*これまでの最高正答率は50％です。', 'best rate');
        for (const name of wrote.categories)
            check.includes(body, name, `category ${name}`);
        check.includes(body, '■今日、模擬試験を受けて合格する見込み：72%（80%の区間 58～84%）', 'forecast');
        const forecastRows = await page.$$eval('tr', (rows) => rows
            .map((tr) => [...tr.querySelectorAll('td')].map((td) => td.textContent).join('|'))
            .filter((row) => row.endsWith('%') && row.includes('|+')));
        check.equal(JSON.stringify(forecastRows), JSON.stringify([
            'ネットワーク|5|0|0|50%|+4%',
            '<セキュリティ>|5|2|1|60%|+8%',
            '運用|5|4|2|70%|+12%',
        ]), 'forecast table');
        check.includes(body, '最も伸びしろの大きいカテゴリー：運用', 'largest gain');
        // Overall (40 + 50) div 2 = 45; categories 37, 60 and never asked.
        check.equal(JSON.stringify(await bars(page)), JSON.stringify([
            'red.gif:180x30 black.gif:220x30',
            'red.gif:148x15 black.gif:252x15',
            'red.gif:240x15 black.gif:160x15',
            'black.gif:400x15',
        ]), 'bar widths');
        check.equal(await page.$$eval('script', (s) => s.length), 0, 'scripts on the page');
    });
    await withPage(wrote.summary, async (page) => {
        await allPicturesLoaded(page, 'PrintSum.htm');
        const body = await textOf(page, 'body');
        check.includes(body, `(氏名：${wrote.name})`, 'the name as typed');
        check.includes(body, 'QV-100 : 基礎試験', 'first test');
        check.includes(body, 'QV-200 : 応用試験', 'second test');
        check.includes(body, '最高得点率は100%です', 'best rate');
        check.includes(body, '合格予測 72%（58～84%）　最も伸びしろの大きいカテゴリー：運用（+12%）', 'forecast of the first test');
        check.equal(JSON.stringify(await bars(page)), JSON.stringify([
            'red.gif:180x30 black.gif:220x30',
            'red.gif:148x15 black.gif:252x15',
            'red.gif:240x15 black.gif:160x15',
            'black.gif:400x15',
            'red.gif:400x30',
            'red.gif:340x15 black.gif:60x15',
        ]), 'bar widths');
    });
});
