// The page in Debian's chromium, driven as a player would: by roles and names, keys and taps.
// Expected answers come from the native zelkon-cli and the window's rule for the answer text.
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import path from "node:path";
import { after, before, test } from "node:test";

import { loadCore } from "../../build/web/js/core.js";
import { launch, root, site as siteDir, startSite } from "./browser.mjs";

const cli = process.env.ZELKON_CLI ?? path.join(root, "build", "dev", "cli", "zelkon-cli");
const kPatterns = ["平和", "タンヤオ", "一盃口", "七対子", "一気通貫", "トイトイ", "三暗刻", "二盃口", "純チャンタ", "四暗刻単騎", "九連宝燈"];
const kSuitChars = ["萬", "筒", "索"];

let site;
before(async () => {
    site = await startSite();
});
after(() => site.server.close());

// The browser closes with the test, passed or failed.
async function open(t, address, options = {}) {
    const browser = await launch(options);
    t.after(browser.close);
    const page = browser.context.pages()[0] ?? (await browser.context.newPage());
    const errors = [];
    page.on("pageerror", (e) => errors.push(e.message));
    page.on("console", (m) => m.type() === "error" && errors.push(m.text()));
    await page.goto(site.url + address);
    await page.locator("body.ready").waitFor();
    return { page, errors, context: browser.context };
}

// The board's hand, read from the tiles' accessible names alone.
async function boardHand(page) {
    const names = await page.locator("#tiles").getByRole("img").evaluateAll((tiles) => tiles.map((t) => t.getAttribute("aria-label")));
    assert.equal(names.length, 13);
    const digits = names.map((name) => name[0]).join("");
    const suit = kSuitChars.indexOf(names[0].slice(1));
    return { digits, sorted: [...digits].sort().join(""), suit, names };
}

// The window's answer text for a hand, from the native table's waits and pattern flags.
function windowAnswer(sortedDigits) {
    const line = execFileSync(cli, ["waits", sortedDigits], { encoding: "utf8" });
    assert.ok(line.length > 0);
    const table = execFileSync(cli, ["table"], { encoding: "utf8", maxBuffer: 1 << 28 });
    const row = table.split("\n").find((l) => l.startsWith(sortedDigits + "\t")).split("\t");
    const waits = [...row[1]].map(Number);
    const flags = row[2] ? row[2].split(",") : [];
    let text = "＜待ち牌と複合役＞\r\n";
    waits.forEach((n, i) => {
        const names = kPatterns.filter((_, k) => flags[i][k] === "1").map((p) => p + "  ");
        text += `  [${n}]   ${names.length ? names.join("") : "なし"}\r\n`;
    });
    return { text, waits };
}

const answerBox = (page, name = "回答") => page.getByRole("textbox", { name });
// A text box's value has the web's line ends: the core's CR LF arrive as LF.
const shownAs = (text) => text.replaceAll("\r\n", "\n");

test("a seeded page deals zelkon-cli's first problem and plays by keys as the window does", async (t) => {
    const { page, errors } = await open(t, "?seed=20261209");
    const first = execFileSync(cli, ["deal", "--seed", "20261209"], { encoding: "utf8" }).split("\t")[0];
    const hand = await boardHand(page);
    assert.equal(hand.digits, first, "the first problem is shown sorted");
    assert.equal(await page.getByRole("img", { name: hand.names[0] }).first().isVisible(), true);
    assert.equal(await answerBox(page).inputValue(), "何待ち？");
    assert.equal(await answerBox(page).getAttribute("readonly"), "");

    const { text, waits } = windowAnswer(hand.sorted);
    // Pick every wait but the first and one number that is no wait; 2 is pressed twice.
    const wrong = [1, 2, 3, 4, 5, 6, 7, 8, 9].find((n) => !waits.includes(n));
    const picks = [...waits.slice(1), wrong];
    await page.keyboard.press("Digit2");
    await page.keyboard.press("Digit2");
    for (const n of picks) {
        await page.keyboard.press(`Digit${n}`);
    }
    for (let n = 1; n <= 9; ++n) {
        const pressed = await page.getByRole("button", { name: String(n), exact: true }).getAttribute("aria-pressed");
        assert.equal(pressed, String(picks.includes(n)), `button ${n}`);
    }
    await page.keyboard.press("Enter");
    assert.equal(await answerBox(page).inputValue(), shownAs(text));
    assert.equal(await page.locator(".mark.circle").count(), waits.length - 1);
    assert.equal(await page.locator(".mark.cross").count(), 2);
    assert.equal(await page.getByRole("button", { name: "1", exact: true }).isDisabled(), true);
    await page.keyboard.press(`Digit${waits[0]}`);
    assert.equal(await answerBox(page).inputValue(), shownAs(text), "digits change nothing once answered");

    // 次へ deals the worksheet's second problem: a fixed suit from the 設定 dialog draws no suit.
    const next = await page.getByRole("button", { name: "次へ" });
    assert.equal(await next.isVisible(), true);
    await page.keyboard.press("Enter");
    assert.equal(await answerBox(page).inputValue(), "何待ち？");
    assert.equal(await page.getByRole("button", { name: "OK" }).isVisible(), true);
    assert.equal(await page.locator(".mark.circle, .mark.cross").count(), 0);
    assert.deepEqual(errors, []);
});

test("taps play the quiz on a touch phone, and the phone shows every tile with no sideways scroll", async (t) => {
    const { page, errors } = await open(t, "#1112345678999s", {
        viewport: { width: 360, height: 640 },
        hasTouch: true,
        isMobile: true,
    });
    const hand = await boardHand(page);
    assert.equal(hand.digits, "1112345678999");
    assert.deepEqual(hand.names.slice(0, 4), ["1索", "1索", "1索", "2索"]);
    const size = await page.evaluate(() => ({ scroll: document.documentElement.scrollWidth, width: innerWidth }));
    assert.ok(size.scroll <= size.width, `scrolls sideways: ${size.scroll} > ${size.width}`);
    for (const tile of await page.locator("#tiles").getByRole("img").all()) {
        const box = await tile.boundingBox();
        assert.ok(box.x >= 0 && box.x + box.width <= 360 && box.y + box.height <= 640, JSON.stringify(box));
    }
    for (const control of await page.getByRole("button").all()) {
        if (await control.isVisible()) {
            const box = await control.boundingBox();
            assert.ok(box.width >= 44 && box.height >= 44, `${await control.textContent()}: ${box.width} × ${box.height}`);
        }
    }
    for (let n = 1; n <= 9; ++n) {
        await page.getByRole("button", { name: String(n), exact: true }).tap();
    }
    await page.getByRole("button", { name: "OK" }).tap();
    assert.equal(await answerBox(page).inputValue(), shownAs(windowAnswer("1112345678999").text));
    assert.equal(await page.locator(".mark.circle").count(), 9, "all nine are waits of the nine gates");
    await page.getByRole("button", { name: "次へ" }).tap();
    assert.equal(await answerBox(page).inputValue(), "何待ち？");
    assert.deepEqual(errors, []);
});

test("a bad link or seed is named as such, and the page deals as usual", async (t) => {
    for (const [address, message] of [
        ["?seed=4294967296", "シードは0〜4294967295の整数です"],
        ["?seed=-1", "シードは0〜4294967295の整数です"],
        ["#11123456789990", "14文字目の「0」は牌ではありません。数字は1〜9です。"],
        ["#%3Cimg%20src%3Dx%3E", "1文字目の「<」は牌ではありません。"],
        ["#1111123456789", "1が5枚あります。同じ牌は4枚までです。"],
        ["#1112345678999%E2%80%AE", "14文字目のU+202Eは牌ではありません。"],
    ]) {
        const { page, errors } = await open(t, address);
        assert.match(await page.getByRole("status").textContent(), new RegExp(message.replace(/[.*?()+]/g, "\\$&")), address);
        assert.equal(await page.locator("#main img, #main [src]").count(), 0, "nothing from the address became markup");
        assert.equal((await boardHand(page)).digits.length, 13);
        assert.deepEqual(errors, []);
        }
});

// The stylesheet is inline, let in by its hash: the policy must take it and nothing else inline.
test("the page's own inline style applies, and no other inline style or script does", async (t) => {
    const { page } = await open(t, "");
    const seen = await page.evaluate(() => {
        const script = document.createElement("script");
        script.textContent = "window.inlineRan = true;";
        document.head.append(script);
        const style = document.createElement("style");
        style.textContent = "body { margin-left: 77px; }";
        document.head.append(style);
        return {
            ran: window.inlineRan === true,
            margin: getComputedStyle(document.body).marginLeft,
            board: getComputedStyle(document.getElementById("form")).backgroundColor,
        };
    });
    assert.deepEqual(seen, { ran: false, margin: "0px", board: "rgb(0, 200, 0)" });
});

test("after one visit the page works offline, and English is kept across a reload", async (t) => {
    const { page, context, errors } = await open(t, "");
    await page.evaluate(() => navigator.serviceWorker.ready);
    await page.reload();
    await page.locator("body.ready").waitFor();
    await page.getByRole("button", { name: "練習" }).click();
    await page.getByRole("radio", { name: "English" }).check();
    await page.getByRole("button", { name: "Close" }).click();
    await context.setOffline(true);
    await page.reload();
    await page.locator("body.ready").waitFor();
    const hand = await boardHand(page);
    assert.match(hand.names[0], /^[1-9] (man|pin|sou)$/);
    await page.keyboard.press("Enter");
    assert.match(await answerBox(page, "Answer").inputValue(), /^<Waits and patterns>\n/);
    assert.equal(await page.getByRole("button", { name: "Next" }).isVisible(), true);
    assert.deepEqual(errors, []);
});

test("stored settings that do not parse are dropped, not trusted", async (t) => {
    const { page } = await open(t, "");
    for (const stored of ['{"lang":"en","explain":true,"band":7}', '{"lang":"<b>x</b>","explain":true,"band":0}', "not json"]) {
        await page.evaluate((s) => localStorage.setItem("zelkon.settings.v1", s), stored);
        await page.reload();
        await page.locator("body.ready").waitFor();
        assert.equal(await page.locator("html").getAttribute("lang"), "ja", stored);
        assert.equal(await page.locator("#panel").isHidden(), true, stored);
        assert.equal(await page.evaluate(() => localStorage.getItem("zelkon.settings.v1")), null, stored);
    }
});

test("the explanation, a typed hand and its link, as a player reaches them", async (t) => {
    const { page, errors } = await open(t, "#1112223334567p");
    await page.getByRole("button", { name: "練習" }).click();
    await page.getByRole("checkbox", { name: "解説を表示" }).check();
    await page.getByRole("button", { name: "閉じる" }).click();
    const panel = page.getByRole("region", { name: "解説" });
    assert.match(await panel.textContent(), /解答すると、ここに解説が表示されます/);
    // Hints, one per press of H or of the button, in the panel and never on the board.
    await page.keyboard.press("KeyH");
    await panel.getByRole("button", { name: "ヒント" }).click();
    assert.deepEqual(await panel.getByRole("listitem").allTextContents(), ["7種待ち", "外せる面子はない"]);
    for (const n of ["2", "4", "8"]) {
        await page.getByRole("button", { name: n, exact: true }).click();
    }
    await page.getByRole("button", { name: "OK" }).click();
    const text = await panel.textContent();
    assert.match(text, /待ち7種：1・2・3・4・5・7・8\u3000見逃し：1・3・5・7/);
    assert.match(text, /4正解：単騎待ち\u3000三暗刻（2翻）/);
    assert.match(text, /が1・4を待つ/);
    const others = panel.getByRole("button", { name: /^ほかの読み方/ }).first();
    assert.equal(await others.getAttribute("aria-expanded"), "false");
    await others.click();
    assert.equal(await panel.getByRole("button", { name: /^ほかの読み方/ }).first().getAttribute("aria-expanded"), "true");
    assert.equal(await panel.getByRole("button", { name: "ヒント" }).isDisabled(), true, "no hint once answered");
    await page.keyboard.press("Enter");
    assert.equal(await answerBox(page).inputValue(), "何待ち？", "keys stay with the quiz after a click in the panel");
    assert.equal(await panel.getByRole("listitem").count(), 0, "a new problem starts without hints");

    // 問題を入力: OK only for a hand; the hand then shows in its typed order when sorting is off.
    await page.getByRole("button", { name: "設定" }).click();
    await page.getByRole("radio", { name: "しない" }).check();
    await page.getByRole("radio", { name: "ソウズ" }).check();
    await page.getByRole("button", { name: "閉じる" }).click();
    await page.getByRole("button", { name: "練習" }).click();
    await page.getByRole("button", { name: "問題を入力" }).click();
    const entry = page.getByRole("textbox", { name: "手牌" });
    const ok = page.getByRole("dialog").getByRole("button", { name: "OK" });
    await entry.fill("999111234567８");
    assert.match(await page.locator("#enter-fault").textContent(), /13文字目の「８」は全角です。/);
    assert.equal(await ok.isDisabled(), true);
    await entry.fill(" 9991112345678 ");
    assert.equal(await ok.isDisabled(), false);
    await ok.click();
    const hand = await boardHand(page);
    assert.equal(hand.digits, "9991112345678");
    assert.equal(hand.names[0], "9索");
    await page.getByRole("button", { name: "練習" }).click();
    await page.context().grantPermissions(["clipboard-read", "clipboard-write"]);
    await page.getByRole("button", { name: "問題をコピー" }).click();
    assert.equal(await page.evaluate(() => navigator.clipboard.readText()), `${site.url}#1112345678999s`);

    // A family from 出題 ▸ 形 deals from the next problem on; the nine gates have one form.
    await page.getByRole("combobox", { name: "形" }).selectOption({ label: "九蓮形" });
    await page.getByRole("button", { name: "閉じる" }).click();
    await page.getByRole("button", { name: "リセット" }).click();
    assert.equal([...(await boardHand(page)).digits].sort().join(""), "1112345678999");
    assert.deepEqual(errors, []);
});

test("a timed run counts ten problems and tells the tally; a typed hand is refused while it lasts", async (t) => {
    const { page, errors } = await open(t, "?seed=5");
    await page.getByRole("button", { name: "練習" }).click();
    await page.getByRole("button", { name: "タイムアタック" }).click();
    assert.match(await page.locator("#run-status").textContent(), /^タイムアタック\u30001 \/ 10問\u30000:0\d\.\d$/);
    let missed = 0;
    for (let k = 0; k < 10; ++k) {
        // Nothing picked: every wait is missed.
        await page.keyboard.press("Enter");
        missed += await page.locator(".mark.cross").count();
        if (k < 9) {
            await page.keyboard.press("Enter");
        }
        if (k === 4) {
            await page.getByRole("button", { name: "練習" }).click();
            assert.equal(await page.getByRole("button", { name: "問題を入力" }).isDisabled(), true);
            await page.getByRole("button", { name: "閉じる" }).click();
        }
    }
    const result = page.getByRole("dialog", { name: "タイムアタック" });
    assert.match(await result.textContent(), new RegExp(`完全正解\u30000 / 10問\n見逃した待ち\u3000延べ${missed}種\n待ちでない牌の選択\u3000延べ0種`));
    assert.deepEqual(errors, []);
});

// The window's answer text for a short hand: zelkon-cli waits writes its lines.
function shortAnswer(sortedDigits) {
    const lines = execFileSync(cli, ["waits", sortedDigits], { encoding: "utf8" }).split("\n");
    const waitLines = lines.filter((l) => /^ {2}\[\d\] {3}/.test(l));
    return { text: ["＜待ち牌と複合役＞", ...waitLines].map((l) => l + "\n").join(""), waits: waitLines.map((l) => Number(l[3])) };
}

async function boardDigits(page) {
    const names = await page.locator("#tiles").getByRole("img").evaluateAll((tiles) => tiles.map((t) => t.getAttribute("aria-label")));
    return [...names.map((name) => name[0])].sort().join("");
}

async function answerRight(page, tap) {
    const { text, waits } = shortAnswer(await boardDigits(page));
    for (const n of waits) {
        await page.getByRole("button", { name: String(n), exact: true })[tap ? "tap" : "click"]();
    }
    await page.getByRole("button", { name: "OK" })[tap ? "tap" : "click"]();
    assert.equal(await answerBox(page).inputValue(), text);
}

test("a short hand by taps on a phone, and the ladder a step up after its run of right answers", async (t) => {
    const { page, errors } = await open(t, "?seed=3", { viewport: { width: 360, height: 640 }, hasTouch: true, isMobile: true });
    await page.getByRole("button", { name: "練習" }).tap();
    await page.getByRole("checkbox", { name: "解説を表示" }).tap();
    await page.getByRole("radio", { name: "4枚" }).tap();
    await page.getByRole("button", { name: "閉じる" }).tap();
    await page.getByRole("button", { name: "リセット" }).tap();
    const status = page.locator("#run-status");
    assert.equal(await status.textContent(), "出題：4枚");
    const tiles = await page.locator("#tiles").getByRole("img").all();
    assert.equal(tiles.length, 4);
    const first = await tiles[0].boundingBox();
    const last = await tiles[3].boundingBox();
    assert.ok(Math.abs(first.x - (360 - last.x - last.width)) <= 2, "the four tiles stand centred");
    assert.ok(Math.abs(first.width - (360 - 12) / 13) <= 1, `tiles as large as ever: ${first.width}`);
    await answerRight(page, true);
    assert.match(await page.getByRole("region", { name: "解説" }).textContent(), /待ち\d種：.*完全正解/);

    // The ladder starts at the first family's smallest size and climbs after three fully right.
    await page.getByRole("button", { name: "練習" }).tap();
    await page.getByRole("checkbox", { name: "段階練習" }).tap();
    assert.equal(await page.getByRole("radio", { name: "13枚" }).isDisabled(), true, "the ladder chooses the size");
    await page.getByRole("button", { name: "閉じる" }).tap();
    assert.equal(await status.textContent(), "段階練習：延べ単\u30004枚");
    for (let k = 0; k < 3; ++k) {
        await page.getByRole("button", { name: "次へ" }).tap();
        assert.equal(await page.locator("#tiles").getByRole("img").count(), 4);
        await answerRight(page, true);
    }
    assert.equal(await status.textContent(), "段階練習：延べ単\u30007枚");
    await page.getByRole("button", { name: "次へ" }).tap();
    assert.equal(await page.locator("#tiles").getByRole("img").count(), 7);
    await page.reload();
    await page.locator("body.ready").waitFor();
    assert.equal(await status.textContent(), "段階練習：延べ単\u30007枚", "the step is kept");
    assert.deepEqual(errors, []);
});

// 出題's band deals from the next problem on; the status line names it in either language, and
// after a reload too.
test("a band deals within its waits and the status line names it, in Japanese and English", async (t) => {
    const { page, errors } = await open(t, "?seed=5");
    await page.getByRole("button", { name: "練習" }).click();
    await page.getByRole("checkbox", { name: "解説を表示" }).check();
    await page.getByRole("radio", { name: "待ち5種以上" }).check();
    await page.getByRole("button", { name: "閉じる" }).click();
    const status = page.locator("#run-status");
    assert.equal(await status.textContent(), "出題：待ち5種以上");
    for (let k = 0; k < 3; ++k) {
        await page.getByRole("button", { name: "リセット" }).click();
        await page.keyboard.press("Enter");
        const answer = await answerBox(page).inputValue();
        assert.ok(answer.split("\n").filter((l) => /^ {2}\[\d\]/.test(l)).length >= 5, answer);
    }
    await page.reload();
    await page.locator("body.ready").waitFor();
    assert.equal(await status.textContent(), "出題：待ち5種以上", "the band is kept");
    await page.getByRole("button", { name: "練習" }).click();
    await page.getByRole("radio", { name: "English" }).check();
    await page.getByRole("button", { name: "Close" }).click();
    assert.equal(await status.textContent(), "Deal: 5 or more waits");
    assert.deepEqual(errors, []);
});

// The window's words for a fault come from the core: the module, loaded here, words each link.
test("a bad link and a typed hand name their fault in the window's words, in Japanese and English", async (t) => {
    const core = await loadCore(fs.readFileSync(path.join(siteDir, "zelkon.wasm")));
    const { page, errors } = await open(t, "");
    for (const [lang, prefix, close] of [["ja", "リンクの手牌：", "閉じる"], ["en", "The link's hand: ", "Close"]]) {
        core.setEnglish(lang === "en");
        for (const link of ["123", "11112345678999", "1112345678999pp", "11123456789990", "1111123456789", "12p3", "１１１"]) {
            await page.evaluate((hash) => { location.hash = hash; }, link);
            assert.notEqual(core.enter(link, 3, true), null, link);
            await page.waitForFunction((text) => document.querySelector("#message").textContent === text, prefix + core.faultText());
        }
        // 問題を入力 counts from what was typed, blanks included.
        await page.getByRole("button", { name: lang === "ja" ? "練習" : "Practice" }).click();
        await page.getByRole("button", { name: lang === "ja" ? "問題を入力" : "Input a hand" }).click();
        await page.getByRole("textbox", { name: lang === "ja" ? "手牌" : "Hand" }).fill("  2399x");
        assert.notEqual(core.check("  2399x"), null);
        assert.equal(await page.locator("#enter-fault").textContent(), core.faultText());
        await page.getByRole("button", { name: lang === "ja" ? "キャンセル" : "Cancel" }).click();
        if (lang === "ja") {
            await page.getByRole("button", { name: "練習" }).click();
            await page.getByRole("radio", { name: "English" }).check();
            await page.getByRole("button", { name: "Close" }).click();
        }
    }
    assert.deepEqual(errors, []);
});

// After the answer the panel names the smallest core as the window's does: hints 2 and 3 on one line.
test("the explanation names the smallest core after the answer, as zelkon-cli hint words it", async (t) => {
    const { page, errors } = await open(t, "");
    await page.getByRole("button", { name: "練習" }).click();
    await page.getByRole("checkbox", { name: "解説を表示" }).check();
    await page.getByRole("button", { name: "閉じる" }).click();
    for (const [hand, line] of [["1234567899", (h) => `${h[1]}\u3000${h[2]}`], ["1112223334567", (h) => h[2]]]) {
        await page.evaluate((hash) => { location.hash = hash; }, hand);
        await page.waitForFunction((n) => document.querySelectorAll("#tiles [role=img]:not([hidden])").length === n, hand.length);
        await page.keyboard.press("Enter");
        const hints = execFileSync(cli, ["hint", hand], { encoding: "utf8" }).split("\n");
        assert.equal(await page.locator(".core-line").textContent(), line(hints), hand);
    }
    assert.deepEqual(errors, []);
});
