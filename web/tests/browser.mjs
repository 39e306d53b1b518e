// Debian's chromium, headless, with a fresh profile each time, and the site on a free port.
import { spawn } from "node:child_process";
import fs from "node:fs";
import os from "node:os";
import path from "node:path";
import { fileURLToPath } from "node:url";
import { chromium } from "playwright-core";

import { serve } from "../tools/serve.mjs";

export const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), "..", "..");
export const site = path.join(root, "build", "web", "site");

const kFlags = [
    "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
    "--disable-background-networking", "--disable-component-update", "--disable-sync",
];

export async function startSite() {
    const server = await serve(site, 0);
    return { server, url: `http://localhost:${server.address().port}/` };
}

// The site from a server process of its own, as a static host serves it: timings then never
// wait for this process's own work (driving the browser) to let a response out.
export async function startSiteProcess(dir = site) {
    const child = spawn(process.execPath, [path.join(root, "web", "tools", "serve.mjs"), dir, "0"], { stdio: ["ignore", "pipe", "inherit"] });
    const port = await new Promise((resolve, reject) => {
        child.stdout.on("data", (data) => {
            const found = /localhost:(\d+)\//.exec(String(data));
            if (found) {
                resolve(Number(found[1]));
            }
        });
        child.on("exit", () => reject(new Error("the site's server stopped")));
    });
    return { server: { close: () => child.kill() }, url: `http://localhost:${port}/` };
}

// For the benchmarks: a freshly started browser does its own start-up work (its internal pages)
// on the same two cores for a while, where a player's browser is already running when the page is
// opened. ZELKON_SETTLE_MS (1000 unless given) is how long to leave it first; 0 navigates at once.
export const kSettleMs = Number(process.env.ZELKON_SETTLE_MS ?? 1000);
export const settle = () => new Promise((resolve) => setTimeout(resolve, kSettleMs));
export const median = (xs) => [...xs].sort((a, b) => a - b)[Math.floor(xs.length / 2)];

// A persistent context is the one way to hand chromium a --user-data-dir of our own.
export async function launch(options = {}) {
    const profile = fs.mkdtempSync(path.join(os.tmpdir(), "zelkon-chromium-"));
    const context = await chromium.launchPersistentContext(profile, {
        executablePath: process.env.ZELKON_CHROMIUM ?? "/usr/bin/chromium",
        headless: true,
        args: kFlags,
        ...options,
    });
    const close = async () => {
        await context.close();
        fs.rmSync(profile, { recursive: true, force: true });
    };
    return { context, close };
}
