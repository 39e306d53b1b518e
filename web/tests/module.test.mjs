// The page's WebAssembly module against the native zelkon-cli, byte for byte: every 13-tile hand's
// waits and patterns, every hand's explanation, and seeded worksheets in and out of bands.
import assert from "node:assert/strict";
import { execFileSync } from "node:child_process";
import fs from "node:fs";
import path from "node:path";
import { test } from "node:test";
import { fileURLToPath } from "node:url";

import { kWaitingSizes, loadCore } from "../../build/web/js/core.js";

const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), "..", "..");
const cli = process.env.ZELKON_CLI ?? path.join(root, "build", "dev", "cli", "zelkon-cli");
const panelLines = process.env.ZELKON_PANEL_LINES ?? path.join(root, "build", "dev", "tests", "analysis", "zelkon_panel_lines");
const core = await loadCore(fs.readFileSync(path.join(root, "build", "web", "site", "zelkon.wasm")));

function native(...args) {
    return execFileSync(cli, args, { encoding: "utf8", maxBuffer: 1 << 28 });
}

const flags = (bits) => Array.from({ length: 11 }, (_, k) => ((bits >> k) & 1 ? "1" : "0")).join("");

// The line zelkon-cli table writes, made from the module's answers alone.
function tableLine(hand) {
    const waits = core.analyse(hand);
    const numbers = [1, 2, 3, 4, 5, 6, 7, 8, 9].filter((n) => waits & (1 << n));
    return `${hand}\t${numbers.join("")}\t${numbers.map((n) => flags(core.analysedPatterns(n))).join(",")}\n`;
}

const kKinds = ["wait", "fifth", "none"];

function explainLines(hand, sizes) {
    assert.equal(core.enter(hand, 0, true, sizes), null, hand);
    let text = "";
    for (let n = 1; n <= 9; ++n) {
        const e = core.explain(n);
        const best = e.bestDistinct >= 0 ? String(e.bestDistinct) : "-";
        const left = e.verdict === 2 ? e.leftover.join("") : "";
        text += `${hand}\t${n}\t${kKinds[e.verdict]}\t${e.distinct.length}\t${best}\t${left}\n`;
    }
    return text;
}

const table = native("table");
const hands = table.split("\n").filter(Boolean).map((line) => line.slice(0, 13));

test("the table of every 13-tile hand is the native one", () => {
    assert.equal(hands.length, 93600);
    assert.equal(new Set(hands).size, 93600);
    const lines = hands.map(tableLine);
    assert.equal(lines.join(""), table);
});

const kPatterns = ["平和", "タンヤオ", "一盃口", "七対子", "一気通貫", "トイトイ", "三暗刻", "二盃口", "純チャンタ", "四暗刻単騎", "九連宝燈"];

// The window's rule, written out here from the native table's flags: a header, then per wait
// "  [n]   " and each pattern with two trailing spaces, or なし; CR LF line ends.
test("the answer box of every hand holds the window's text, CR LF included", () => {
    for (const line of table.split("\n").filter(Boolean)) {
        const [hand, waits, flagList] = line.split("\t");
        const patterns = flagList ? flagList.split(",") : [];
        let expected = "＜待ち牌と複合役＞\r\n";
        [...waits].forEach((n, i) => {
            const names = kPatterns.filter((_, k) => patterns[i][k] === "1");
            expected += `  [${n}]   ${names.length > 0 ? names.map((p) => p + "  ").join("") : "なし"}\r\n`;
        });
        assert.equal(core.enter(hand, 0, true), null);
        assert.equal(core.answerText(), "何待ち？");
        core.answer();
        assert.equal(core.answerText(), expected, hand);
    }
});

test("explain --tsv over every hand is the native one", () => {
    const batch = 4000;
    for (let i = 0; i < hands.length; i += batch) {
        const part = hands.slice(i, i + batch);
        const expected = native("explain", "--tsv", ...part);
        assert.equal(part.map((hand) => explainLines(hand)).join(""), expected, `hands ${i} to ${i + part.length - 1}`);
    }
});

test("seeded worksheets deal as zelkon-cli deal --seed, plainly and within bands", () => {
    const seeds = [0, 1, 7, 42, 2147483647, 2147483648, 4294967295];
    for (const [band, limits] of [[null, [1, 9]], ["1-2", [1, 2]], ["5-9", [5, 9]]]) {
        for (const seed of seeds) {
            const args = ["deal", "--seed", String(seed), "--count", "5", ...(band ? ["--waits", band] : [])];
            const expected = native(...args);
            let got = "";
            for (let k = 0; k < 5; ++k) {
                const [sorted, order] = k === 0 ? core.dealSeeded(seed, ...limits) : core.dealNext(...limits);
                got += `${sorted}\t${order}\t${tableLine(sorted).split("\t").slice(1).join("\t")}`;
            }
            assert.equal(got, expected, args.join(" "));
        }
    }
});

// A short deal's line as zelkon-cli deal writes it: no pattern flags.
function dealLine(sorted, order) {
    if (sorted.length === 13) {
        return `${sorted}\t${order}\t${tableLine(sorted).split("\t").slice(1).join("\t")}`;
    }
    const waits = [1, 2, 3, 4, 5, 6, 7, 8, 9].filter((n) => core.isWait(n)).join("");
    return `${sorted}\t${order}\t${waits}\n`;
}

test("family and short-hand worksheets deal as zelkon-cli deal --family --tiles, every family by name", () => {
    const catalogue = native("families").split("\n").filter(Boolean).map((line) => line.split("\t"));
    // In English the window names a family by its catalogue id.
    core.setEnglish(true);
    const offered = core.families();
    core.setEnglish(false);
    assert.equal(offered.length, catalogue.length);
    for (const family of [-1, ...offered.map((f) => f.index)]) {
        const id = family < 0 ? null : catalogue[family][0];
        if (family >= 0) {
            assert.equal(offered[family].name, id);
        }
        for (const tiles of [4, 7, 10, 13]) {
            const args = ["deal", "--seed", "11", "--tiles", String(tiles), "--count", "3", ...(id ? ["--family", id] : [])];
            let expected;
            try {
                expected = execFileSync(cli, args, { encoding: "utf8", stdio: ["ignore", "pipe", "ignore"] });
            } catch {
                continue; // no hand of the family at this size: the dealer deals its smallest instead
            }
            core.setFamily(family);
            core.setTiles(tiles);
            core.seed(11);
            let got = "";
            for (let k = 0; k < 3; ++k) {
                got += dealLine(...core.dealNext());
            }
            assert.equal(got, expected, args.join(" "));
        }
    }
    core.setFamily(-1);
    core.setTiles(13);
});

// Every short hand: its waits as zelkon-cli table --tiles writes them, its answer box as the
// window writes it (wait shapes, from zelkon-cli waits), and explain --tsv byte for byte.
test("every hand of 4, 7 and 10 tiles reads, answers and explains as the native ones", () => {
    for (const size of [4, 7, 10]) {
        const lines = native("table", "--tiles", String(size)).split("\n").filter(Boolean);
        const short = lines.map((line) => line.split("\t")[0]);
        let table = "";
        let explained = "";
        const answers = [];
        for (const hand of short) {
            assert.equal(core.enter(hand, 0, true, kWaitingSizes), null, hand);
            assert.equal(core.tileCount, size);
            table += `${hand}\t${[1, 2, 3, 4, 5, 6, 7, 8, 9].filter((n) => core.isWait(n)).join("")}\n`;
            core.answer();
            answers.push(core.answerText());
            explained += explainLines(hand, kWaitingSizes);
        }
        assert.equal(table, lines.join("\n") + "\n", `table --tiles ${size}`);
        const batch = 4000;
        let expectedTsv = "";
        let expectedAnswers = [];
        for (let i = 0; i < short.length; i += batch) {
            const part = short.slice(i, i + batch);
            expectedTsv += native("explain", "--tsv", ...part);
            // zelkon-cli waits: a hand's line, then "  [n]   shape  shape  " for each wait.
            for (const report of native("waits", ...part).split(/\n(?=\d)/)) {
                const waitLines = report.split("\n").filter((l) => /^ {2}\[\d\] {3}/.test(l));
                expectedAnswers.push(["＜待ち牌と複合役＞", ...waitLines].map((l) => l + "\r\n").join(""));
            }
        }
        assert.equal(explained, expectedTsv, `explain --tsv, ${size} tiles`);
        assert.equal(expectedAnswers.length, short.length);
        short.forEach((hand, i) => assert.equal(answers[i], expectedAnswers[i], hand));
    }
});

const kStyleMarks = ["", "[]", "<>"];

function spelled(groups) {
    return groups.map(({ style, tiles }) => {
        const marks = kStyleMarks[style];
        return marks.slice(0, marks.length / 2) + tiles.join("") + marks.slice(marks.length / 2);
    }).join(" ");
}

// The panel as tests/support/panel_lines.h writes it, from the module's texts and groups alone.
function panelText(hand, picks, lang) {
    core.setEnglish(lang === "en");
    assert.equal(core.enter(hand, 0, true, kWaitingSizes), null, hand);
    for (const n of picks) {
        core.toggle(Number(n));
    }
    core.answer();
    let text = `${hand} ${picks || "-"} ${lang}\n${core.summaryItems().join(core.itemGap)}\n`;
    for (let n = 1; n <= 9; ++n) {
        if (!core.hasRow(n)) {
            continue;
        }
        const e = core.explain(n);
        text += `${n} ${core.verdictText(n)}`;
        text += e.verdict === 0 ? ` | ${core.waitsOn(n, core.shownRecord(n))}\n` : "\n";
        text += `  ${spelled(core.rowTiles(n))}\n  others${core.otherRecords(n).map((r) => ` ${r}`).join("")}\n`;
        for (const r of e.distinct) {
            text += `  ${core.caption(n, r)}: ${spelled(core.readingTiles(n, r))}\n`;
        }
    }
    return text;
}

// Every short hand of 4 and 7 tiles and one 13-tile hand in 7, each with picks of every kind
// (the waits, none, one off, scattered), in both languages.
test("the panel's words and tiles are the native core's, for many hands and picks", () => {
    const sampled = [4, 7].flatMap((size) => native("table", "--tiles", String(size)).split("\n").filter(Boolean).map((l) => l.split("\t")[0]));
    sampled.push(...hands.filter((_, i) => i % 7 === 0));
    const cases = sampled.map((hand, i) => {
        core.enter(hand, 0, true, kWaitingSizes);
        let bits = [1, 2, 3, 4, 5, 6, 7, 8, 9].reduce((b, n) => (core.isWait(n) ? b | (1 << n) : b), 0);
        bits = [bits, 0, bits ^ (1 << (1 + (i % 9))), (Math.imul(i, 2654435761) >>> 7) & 0x3fe][i % 4];
        return `${hand} ${[1, 2, 3, 4, 5, 6, 7, 8, 9].filter((n) => bits & (1 << n)).join("") || "-"}`;
    });
    for (const lang of ["ja", "en"]) {
        const input = cases.map((c) => `${c} ${lang}\n`).join("");
        const expected = execFileSync(panelLines, { input, encoding: "utf8", maxBuffer: 1 << 28 });
        const got = cases.map((c) => {
            const [hand, picks] = c.split(" ");
            return panelText(hand, picks === "-" ? "" : picks, lang);
        });
        const lines = expected.split(/\n(?=\d+ [\d-]+ (?:ja|en)\n)/).map((p, i, all) => (i < all.length - 1 ? p + "\n" : p));
        assert.equal(lines.length, cases.length, lang);
        got.forEach((text, i) => assert.equal(text, lines[i], cases[i]));
    }
    core.setEnglish(false);
});

// One hand in 150, so that every family and fourth-hint form turns up.
test("the hints of sampled hands are zelkon-cli hint's, word for word", () => {
    for (let i = 0; i < hands.length; i += 150) {
        const hand = hands[i];
        const expected = native("hint", hand);
        assert.equal(core.enter(hand, 0, true), null);
        let got = "";
        for (let level = 1; level <= core.hintCount; ++level) {
            got += core.hint(level) + "\n";
        }
        assert.equal(got, expected, hand);
    }
});

test("a typed hand's fault comes back with its position and changes nothing", () => {
    assert.equal(core.enter("1112345678999p", 3, true), null);
    const before = core.spell();
    for (const [text, code, position] of [
        ["", 1, 0],
        ["1112345678909", 2, 12],
        ["111234567899M", 3, 13],
        ["11123456789x9", 5, 12],
        ["1112345p678999", 7, 9],
        ["1112345678999pp", 8, 15],
        ["111234567899", 9, 0],
        ["11112345678999", 9, 0],
        ["1111123456789", 10, 0],
    ]) {
        const fault = core.enter(text, 3, true);
        assert.equal(fault?.code, code, text);
        assert.equal(fault.position, position, text);
        assert.equal(core.spell(), before, text);
    }
    const wide = core.check("１112345678999");
    assert.equal(wide.code, 4);
    assert.equal(wide.character, 0xff11);
});
