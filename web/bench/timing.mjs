// Times the page in headless chromium on localhost: the first problem's frame from navigation
// over cold loads (a fresh profile each), and an answer's work before its frame. A benchmark,
// not a test: it prints figures and checks nothing.
// node web/bench/timing.mjs [LOADS] [SITE]   (SITE: a built site's folder, build/web/site by default)
import { launch, startSiteProcess } from "../tests/browser.mjs";

const loads = Number(process.argv[2] ?? 10);
const median = (xs) => [...xs].sort((a, b) => a - b)[Math.floor(xs.length / 2)];
const { server, url } = await startSiteProcess(process.argv[3]);
const first = [];
const answers = [];
const frames = [];
for (let i = 0; i < loads; ++i) {
    const { context, close } = await launch();
    const page = context.pages()[0] ?? (await context.newPage());
    await page.goto(url);
    await page.waitForFunction(() => performance.getEntriesByName("zelkon-first-frame").length > 0);
    first.push(await page.evaluate(() => performance.getEntriesByName("zelkon-first-frame")[0].startTime));
    await page.keyboard.press("Digit5");
    // From the key press to the next frame's start, in the page's own clock.
    const frame = await page.evaluate(() => new Promise((resolve) => {
        const t0 = performance.now();
        document.dispatchEvent(new KeyboardEvent("keydown", { key: "Enter", code: "Enter", bubbles: true }));
        requestAnimationFrame(() => resolve(performance.now() - t0));
    }));
    frames.push(frame);
    answers.push(await page.evaluate(() => performance.getEntriesByName("zelkon-answer")[0].duration));
    await close();
}
server.close();
const f = (x) => `${x.toFixed(1)} ms`;
console.log(`first problem's frame after navigation, ${loads} cold loads: median ${f(median(first))}, min ${f(Math.min(...first))}, max ${f(Math.max(...first))}`);
console.log(`answer (core + drawing): median ${f(median(answers))}, max ${f(Math.max(...answers))}`);
console.log(`answer key to the next frame: median ${f(median(frames))}, max ${f(Math.max(...frames))}`);
