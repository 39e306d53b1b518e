// Where a cold load's time goes before the first problem's frame: a chromium trace of each load,
// the CPU time of the renderer's main thread by what it did and of the browser's other threads,
// and when each file arrived.
// A benchmark, not a test: it prints figures and checks nothing.
// node web/bench/trace.mjs [LOADS] [SITE] [--events]   (--events: the busiest event names too)
import { launch, median, settle, startSiteProcess } from "../tests/browser.mjs";

const args = process.argv.slice(2).filter((a) => !a.startsWith("--"));
const loads = Number(args[0] ?? 5);
const listEvents = process.argv.includes("--events");
const kCategories = [
    "devtools.timeline", "disabled-by-default-devtools.timeline", "blink.user_timing", "loading",
    "v8", "v8.execute", "disabled-by-default-v8.compile", "v8.wasm", "disabled-by-default-v8.wasm.detailed",
    "blink", "netlog", "cc", "gpu",
];

// Event names to what a player would call them; anything else counts as "other".
const kKinds = [
    [/^(ParseHTML|ParseAuthorStyleSheet|HTMLDocumentParser|HTMLParserScriptRunner)/, "html & css parse"],
    [/^(v8\.compile|v8\.parseOnBackground|V8\.(Compile|Parse|Deserialize|ScriptCompiler)|v8\.compileModule|V8\.CompileCode)/, "script compile"],
    [/^(EvaluateScript|v8\.run|v8\.callFunction|FunctionCall|V8\.Execute|v8\.evaluateModule|RunMicrotasks|TimerFire|FireAnimationFrame|EventDispatch|v8\.newInstance)/, "script run"],
    [/wasm/i, "wasm"],
    [/^(UpdateLayoutTree|Layout|RecalculateStyles|UpdateLayerTree|PrePaint|Paint|PaintImage|Layerize|Commit|CompositeLayers|LocalFrameView::|Document::|UpdateLifecycle|ScheduleStyleRecalculation|LayoutShift)/, "style, layout & paint"],
    [/(Image|SVG|Decode)/i, "images (svg)"],
    [/^(ResourceSendRequest|ResourceReceiveResponse|ResourceReceivedData|ResourceFinish|ResourceChangePriority|Resource|Loader|ResourceLoad|Blob|ThrottlingURLLoader|URLLoader)/, "loading"],
    [/(GC|Scavenge|MinorMS|MajorGC|V8\.GC|BlinkGC)/, "gc"],
];
const kindOf = (name) => kKinds.find(([re]) => re.test(name))?.[1] ?? "other";

const { server, url } = await startSiteProcess(args[1]);
const perKind = new Map();
const perName = new Map();
const perThread = new Map();
const marks = new Map();
const arrivals = new Map();
for (let i = 0; i < loads; ++i) {
    const { context, close } = await launch();
    const browser = context.browser();
    const page = context.pages()[0] ?? (await context.newPage());
    await settle();
    await browser.startTracing(page, { categories: kCategories });
    await page.goto(url);
    await page.waitForFunction(() => performance.getEntriesByName("zelkon-first-frame").length > 0);
    await page.waitForTimeout(100);
    const trace = JSON.parse(String(await browser.stopTracing())).traceEvents;
    await close();

    const frameMark = trace.find((e) => e.name === "zelkon-first-frame" && e.cat.includes("user_timing"));
    const start = trace.find((e) => e.name === "navigationStart" && e.args?.data?.documentLoaderURL === url);
    if (!frameMark || !start) {
        console.log("no first-frame mark in the trace");
        continue;
    }
    const t0 = start.ts;
    const t1 = frameMark.ts;
    const main = `${start.pid}:${start.tid}`;
    const note = (map, key, value) => map.set(key, [...(map.get(key) ?? []), value]);

    // Self CPU time (thread time, so the machine's other work does not count) of each complete
    // event on the main thread between navigation and the first frame.
    const events = trace
        .filter((e) => e.ph === "X" && `${e.pid}:${e.tid}` === main && e.dur > 0 && e.tdur !== undefined && e.ts >= t0 && e.ts < t1)
        .map((e) => ({ name: e.name, b: e.ts, e: e.ts + e.dur, self: e.tdur }))
        .sort((x, y) => x.b - y.b || y.e - x.e);
    const stack = [];
    for (const ev of events) {
        while (stack.length > 0 && stack.at(-1).e <= ev.b) {
            stack.pop();
        }
        if (stack.length > 0) {
            stack.at(-1).self -= ev.self;
        }
        stack.push({ ...ev, self: ev.self });
        ev.ref = stack.at(-1);
    }
    const self = new Map();
    let busy = 0;
    for (const ev of events) {
        const us = Math.max(0, ev.ref.self);
        self.set(ev.name, (self.get(ev.name) ?? 0) + us);
        busy += us;
    }
    const kinds = new Map();
    for (const [name, us] of self) {
        kinds.set(kindOf(name), (kinds.get(kindOf(name)) ?? 0) + us);
        note(perName, name, us / 1000);
    }
    note(perKind, "all (cpu)", busy / 1000);
    for (const [kind, us] of kinds) {
        note(perKind, kind, us / 1000);
    }
    // CPU of every process's threads over the same span: the browser's own work competes too.
    const threadNames = new Map(trace.filter((e) => e.ph === "M" && e.name === "thread_name").map((e) => [`${e.pid}:${e.tid}`, e.args.name]));
    const processNames = new Map(trace.filter((e) => e.ph === "M" && e.name === "process_name").map((e) => [e.pid, e.args.name]));
    const ends = new Map();
    const cpu = new Map();
    for (const e of trace.filter((e) => e.ph === "X" && e.tdur !== undefined && e.ts >= t0 && e.ts < t1).sort((x, y) => x.ts - y.ts || y.dur - x.dur)) {
        const key = `${e.pid}:${e.tid}`;
        if (e.ts >= (ends.get(key) ?? 0)) {
            const name = `${processNames.get(e.pid) ?? e.pid} ${threadNames.get(key) ?? e.tid}`.replace(/ThreadPool\w*Worker/, "pool");
            cpu.set(name, (cpu.get(name) ?? 0) + e.tdur);
            ends.set(key, e.ts + e.dur);
        }
    }
    for (const [name, us] of cpu) {
        note(perThread, name, us / 1000);
    }
    note(marks, "first frame", (t1 - t0) / 1000);
    for (const name of ["firstPaint", "firstContentfulPaint", "domInteractive", "domContentLoadedEventEnd"]) {
        const m = trace.find((e) => e.name === name && e.pid === frameMark.pid && e.ts >= t0);
        if (m) {
            note(marks, name, (m.ts - t0) / 1000);
        }
    }
    for (const e of trace) {
        if (e.name === "ResourceSendRequest" && e.args?.data?.url?.startsWith(url) && e.ts < t1) {
            const file = new URL(e.args.data.url).pathname;
            const finish = trace.find((f) => f.name === "ResourceFinish" && f.args?.data?.requestId === e.args.data.requestId);
            note(arrivals, file, [(e.ts - t0) / 1000, finish ? (finish.ts - t0) / 1000 : NaN]);
        }
    }
}
server.close();

const f = (x) => x.toFixed(1).padStart(7);
console.log(`medians over ${loads} cold loads, ms from navigation`);
for (const [name, xs] of marks) {
    console.log(`${f(median(xs))}  ${name}`);
}
console.log("renderer main thread until the first frame (self cpu time, median per load):");
for (const [kind, xs] of [...perKind].sort((a, b) => median(b[1]) - median(a[1]))) {
    console.log(`${f(median(xs))}  ${kind}`);
}
console.log("cpu of each thread until the first frame (median per load, the busiest):");
for (const [name, xs] of [...perThread].sort((a, b) => median(b[1]) - median(a[1])).slice(0, 8)) {
    console.log(`${f(median(xs))}  ${name}`);
}
console.log("requests (sent → finished):");
for (const [file, xs] of [...arrivals].sort((a, b) => median(a[1].map((x) => x[0])) - median(b[1].map((x) => x[0])))) {
    console.log(`${f(median(xs.map((x) => x[0])))} → ${f(median(xs.map((x) => x[1])))}  ${file}`);
}
if (listEvents) {
    console.log("busiest event names (self time, mean per load):");
    const sums = [...perName].map(([n, xs]) => [n, xs.reduce((s, x) => s + x, 0) / loads]).sort((a, b) => b[1] - a[1]);
    for (const [name, ms] of sums.slice(0, 30)) {
        console.log(`${f(ms)}  ${name}`);
    }
}
