// Times the page in headless chromium on localhost: the first problem's frame from navigation
// over cold loads (a fresh profile each), and an answer's work before its frame. A benchmark,
// not a test: it prints figures and checks nothing.
// node web/bench/timing.mjs [LOADS] [SITE] [OTHER_SITE]
// SITE: a built site's folder, build/web/site by default. With OTHER_SITE the loads alternate
// between the two, each from its own server, so that the machine's load falls on both alike.
// ZELKON_SETTLE_MS: how long a freshly started browser is left before each navigation
// (web/tests/browser.mjs).
import os from "node:os";

import { kSettleMs, launch, median, settle, startSiteProcess } from "../tests/browser.mjs";

const loads = Number(process.argv[2] ?? 10);
const folders = process.argv.slice(3, 5);
const sites = [];
for (const dir of folders.length > 0 ? folders : [undefined]) {
    sites.push({ name: dir ?? "build/web/site", ...(await startSiteProcess(dir)), first: [], painted: [], answers: [], frames: [], phases: new Map() });
}
const loadAverage = () => os.loadavg()[0].toFixed(1);
const loadBefore = loadAverage();

// When each part of the start was done, from the page's own clock: the HTML, each file, the marks.
function phases() {
    const at = {};
    const nav = performance.getEntriesByType("navigation")[0];
    at["html received"] = nav.responseEnd;
    at["html parsed"] = nav.domInteractive;
    for (const r of performance.getEntriesByType("resource")) {
        at[`${new URL(r.name).pathname.slice(1)} received`] = r.responseEnd;
    }
    for (const m of performance.getEntriesByType("mark")) {
        at[m.name] = m.startTime;
    }
    const paint = performance.getEntriesByName("first-contentful-paint")[0];
    if (paint) {
        at["first paint"] = paint.startTime;
    }
    return at;
}

for (let i = 0; i < loads; ++i) {
    for (const site of sites) {
        const { context, close } = await launch();
        const page = context.pages()[0] ?? (await context.newPage());
        await settle();
        await page.goto(site.url);
        await page.waitForFunction(() => performance.getEntriesByName("zelkon-first-frame").length > 0);
        site.first.push(await page.evaluate(() => performance.getEntriesByName("zelkon-first-frame")[0].startTime));
        // The frame's mark comes before its paint; the board's first tile (elementtiming) says when
        // the tiles were on screen.
        const painted = await page.evaluate(() => new Promise((resolve) => {
            new PerformanceObserver((list) => {
                const tiles = list.getEntries().find((e) => e.identifier === "tiles");
                if (tiles) {
                    resolve(tiles.renderTime || tiles.loadTime);
                }
            }).observe({ type: "element", buffered: true });
            setTimeout(() => resolve(NaN), 2000);
        }));
        if (!Number.isNaN(painted)) {
            site.painted.push(painted);
        }
        for (const [name, ms] of Object.entries(await page.evaluate(phases))) {
            site.phases.set(name, [...(site.phases.get(name) ?? []), ms]);
        }
        // A page without the quiz (a blank page timed for the harness's own share) has no answer.
        if (await page.evaluate(() => document.getElementById("ok") !== null)) {
            await page.keyboard.press("Digit5");
            // From the key press to the next frame's start, in the page's own clock.
            site.frames.push(await page.evaluate(() => new Promise((resolve) => {
                const t0 = performance.now();
                document.dispatchEvent(new KeyboardEvent("keydown", { key: "Enter", code: "Enter", bubbles: true }));
                requestAnimationFrame(() => resolve(performance.now() - t0));
            })));
            site.answers.push(await page.evaluate(() => performance.getEntriesByName("zelkon-answer")[0].duration));
        }
        await close();
    }
}
const f = (x) => `${x.toFixed(1)} ms`;
console.log(`load average ${loadBefore} → ${loadAverage()}; browser left ${kSettleMs} ms before each navigation`);
for (const site of sites) {
    site.server.close();
    const { first, answers, frames } = site;
    console.log(`${site.name}`);
    console.log(`  first problem's frame after navigation, ${loads} cold loads: median ${f(median(first))}, min ${f(Math.min(...first))}, max ${f(Math.max(...first))}`);
    // Chromium's own start (process, commit) varies most from load to load; what follows the
    // page's arrival is the page's.
    const html = site.phases.get("html received");
    const after = first.map((t, k) => t - html[k]);
    console.log(`  frame after the HTML's arrival: median ${f(median(after))}, min ${f(Math.min(...after))}, max ${f(Math.max(...after))}`);
    if (site.painted.length > 0) {
        const { painted } = site;
        console.log(`  tiles painted: median ${f(median(painted))}, min ${f(Math.min(...painted))}, max ${f(Math.max(...painted))}`);
    }
    const steps = [...site.phases].filter(([, xs]) => xs.length === loads).sort((a, b) => median(a[1]) - median(b[1]));
    console.log(`  medians: ${steps.map(([name, xs]) => `${name} ${median(xs).toFixed(0)}`).join(", ")}`);
    if (answers.length > 0) {
        console.log(`  answer (core + drawing): median ${f(median(answers))}, max ${f(Math.max(...answers))}`);
        console.log(`  answer key to the next frame: median ${f(median(frames))}, max ${f(Math.max(...frames))}`);
    }
}
