// Debian's chromium, headless, with a fresh profile each time, and the site on a free port.
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
