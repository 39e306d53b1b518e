// Screenshots of the built page: phone (360 × 640) and desktop (1280 × 800), light and dark,
// Japanese and English, each after an answer with the explanation open.
// node web/tools/screenshots.mjs OUTDIR [ADDRESS]   (ADDRESS: "?seed=…" or "#hand", default a 13-tile hand)
import fs from "node:fs";
import path from "node:path";

import { launch, startSite } from "../tests/browser.mjs";

const [out = "build/web/screenshots", address = "#2223456777888s", tilesSetting = "13"] = process.argv.slice(2);
fs.mkdirSync(out, { recursive: true });
const site = await startSite();
const kSizes = { phone: { width: 360, height: 640 }, desktop: { width: 1280, height: 800 } };
try {
    for (const [device, viewport] of Object.entries(kSizes)) {
        for (const scheme of ["light", "dark"]) {
            for (const lang of ["ja", "en"]) {
                const browser = await launch({ viewport, colorScheme: scheme, isMobile: device === "phone", hasTouch: device === "phone" });
                try {
                    const page = browser.context.pages()[0] ?? (await browser.context.newPage());
                    await page.goto(site.url);
                    const settings = { lang, explain: true, band: 0, family: -1, tiles: Number(tilesSetting), ladder: false, ladderAt: -1, ladderTiles: 0 };
                    await page.evaluate((s) => localStorage.setItem("zelkon.settings.v2", JSON.stringify(s)), settings);
                    // A hash alone would not load the page again, nor read the settings.
                    await page.goto(site.url + address);
                    await page.reload();
                    await page.locator("body.ready").waitFor();
                    // Two picks, one of them likely wrong, so that marks of both kinds show.
                    await page.keyboard.press("Digit3");
                    await page.keyboard.press("Digit6");
                    await page.keyboard.press("Enter");
                    await page.screenshot({ path: path.join(out, `${device}-${scheme}-${lang}.png`) });
                } finally {
                    await browser.close();
                }
            }
        }
    }
} finally {
    site.server.close();
}
