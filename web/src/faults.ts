// A typed hand's fault in 問題を入力's words. The core finds the fault and its position; this
// only puts it into a sentence.
import type { HandFault } from "./core.js";
import type { Lang } from "./texts.js";

// Invisible characters (the core tells which) by their name or code.
function shown(code: number, invisible: boolean, lang: Lang): string {
    if (code === 0x20) {
        return lang === "ja" ? "空白" : "a space";
    }
    if (code === 0x3000) {
        return lang === "ja" ? "全角の空白" : "a full-width space";
    }
    const c = String.fromCodePoint(code);
    if (invisible) {
        return "U+" + code.toString(16).toUpperCase().padStart(4, "0");
    }
    return `「${c}」`;
}

const kSuitLetters = ["m", "p", "s"];

export function faultText(f: HandFault, lang: Lang): string {
    const at = (p: number) => (lang === "ja" ? `${p}文字目` : `character ${p}`);
    const letter = kSuitLetters[f.suit] ?? "?";
    if (lang === "en") {
        switch (f.code) {
            case 1: return "Type the hand as 13 digits 1–9.";
            case 2: return `The "0" at ${at(f.position)} is no tile: numbers run from 1 to 9.`;
            case 3: return `${shown(f.character, f.invisible, lang)} at ${at(f.position)}: suit letters are lower case m, p, s.`;
            case 4: return `${shown(f.character, f.invisible, lang)} at ${at(f.position)} is a full-width digit: write 1–9.`;
            case 5: return `${shown(f.character, f.invisible, lang)} at ${at(f.position)} is no tile: only the digits 1–9 and one final m, p or s.`;
            case 6: return `Unreadable character at ${at(f.position)}.`;
            case 7: return `The suit "${letter}" at ${at(f.suitPosition)} comes last, after the digits.`;
            case 8: return `Two suits (the "${letter}" at ${at(f.suitPosition)} and ${shown(f.character, f.invisible, lang)} at ${at(f.position)}): one only.`;
            case 9: return `${f.count} tiles: a hand has 13.`;
            case 10: return `${f.count} of ${f.number}: at most four of a tile.`;
        }
        return "This is not a hand.";
    }
    switch (f.code) {
        case 1: return "手牌を数字1〜9の13個で入力してください。";
        case 2: return `${at(f.position)}の「0」は牌ではありません。数字は1〜9です。`;
        case 3: return `${at(f.position)}の${shown(f.character, f.invisible, lang)}は大文字です。牌の種類は小文字のm・p・sで書きます。`;
        case 4: return `${at(f.position)}の${shown(f.character, f.invisible, lang)}は全角です。半角の数字1〜9で書きます。`;
        case 5: return `${at(f.position)}の${shown(f.character, f.invisible, lang)}は牌ではありません。使えるのは数字1〜9と、最後に付けるm・p・sのどれか1文字だけです。`;
        case 6: return `${at(f.position)}に読めない文字があります。`;
        case 7: return `${at(f.suitPosition)}の牌の種類「${letter}」は数字のあと、最後に書きます。`;
        case 8: return `牌の種類は1つだけです（${at(f.suitPosition)}「${letter}」と${at(f.position)}${shown(f.character, f.invisible, lang)}）。`;
        case 9: return `牌が${f.count}枚あります。13枚で入力してください。`;
        case 10: return `${f.number}が${f.count}枚あります。同じ牌は4枚までです。`;
    }
    return "手牌として読めません。";
}
