// A check of the page in Firefox, run by hand (the CTest browser test uses
// Chromium, which Debian packages with its driver): opens the page, waits
// until it is ready, opens a circuit, runs it, prints the test points'
// readings and saves a screenshot.
//   apt-get install firefox-esr; npm install puppeteer-core@23
//   node tools/firefox_check.mjs file:///…/build-web/vorlisk.html shot.png examples/半加器.vlk
// It works from a static server as well (python3 -m http.server in build-web/).
import puppeteer from 'puppeteer-core';

const [url, out, example] = process.argv.slice(2);
const browser = await puppeteer.launch({ browser: 'firefox', executablePath: '/usr/bin/firefox-esr', headless: true });
try {
  const page = await browser.newPage();
  await page.setViewport({ width: 1280, height: 800 });
  page.on('console', (m) => console.log('console:', m.type(), m.text()));
  page.on('pageerror', (e) => console.log('page error:', e.message));
  const t0 = Date.now();
  await page.goto(url);
  await page.waitForFunction(() => document.body.dataset.ready === '1', { timeout: 30000 });
  console.log('ready after', Date.now() - t0, 'ms');
  if (example) {
    await (await page.$('#open-file')).uploadFile(example);
    const name = example.split('/').pop();
    await page.waitForFunction((n) => document.title.includes(n), { timeout: 10000 }, name);
    await page.click('[data-tool=运行]');
    await new Promise((r) => setTimeout(r, 1500));
    console.log(await page.title(), JSON.stringify(await page.evaluate(() => window.vorlisk.readings())));
  }
  if (out) await page.screenshot({ path: out });
} finally {
  await browser.close();
}
