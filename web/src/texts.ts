// The page's own words, in the window's Japanese and in English. The explanation's words, and the
// names of patterns and wait shapes, are not here: they come from the core.

export type Lang = "ja" | "en";

export interface Texts {
    title: string;
    ok: string;
    next: string;
    answer: string;
    reset: string;
    settings: string;
    suit: string;
    suitRandom: string;
    suitNames: [string, string, string]; // characters, circles, bamboo
    sort: string;
    sortOn: string;
    sortOff: string;
    practice: string;
    explain: string;
    deal: string;
    bands: [string, string, string, string];
    timedRun: string;
    family: string;
    allForms: string;
    size: string;
    tileCountName(n: number): string;
    ladder: string;
    hint: string;
    enter: string;
    enterTitle: string;
    copy: string;
    copied: string;
    language: string;
    close: string;
    cancel: string;
    tiles: string;
    numbers: string;
    tileName(n: number, suit: number): string;
    badSeed: string;
    enterPrompt: string;
    enterLabel: string;
    // The explanation panel.
    panel: string;
    beforeAnswer: string;
    otherReadings(n: number): string;
    // Timed runs.
    abandonRun: string;
    runResult(time: string, right: number, of: number, missed: number, wrong: number): string;
    linkFault: string;
}

const kSuitChars = ["萬", "筒", "索"];
const kSuitWords = ["man", "pin", "sou"];

export const TEXTS: Record<Lang, Texts> = {
    ja: {
        title: "カルデナ",
        ok: "OK",
        next: "次へ",
        answer: "回答",
        reset: "リセット",
        settings: "設定",
        suit: "牌の種類",
        suitRandom: "ランダム",
        suitNames: ["マンズ", "ピンズ", "ソウズ"],
        sort: "理牌",
        sortOn: "する",
        sortOff: "しない",
        practice: "練習",
        explain: "解説を表示",
        deal: "出題",
        bands: ["すべての手", "待ち1〜2種", "待ち3〜4種", "待ち5種以上"],
        timedRun: "タイムアタック",
        family: "形",
        allForms: "すべての形",
        size: "枚数",
        tileCountName: (n) => `${n}枚`,
        ladder: "段階練習",
        hint: "ヒント",
        enter: "問題を入力",
        enterTitle: "問題を入力",
        copy: "問題をコピー",
        copied: "コピーしました",
        language: "言語",
        close: "閉じる",
        cancel: "キャンセル",
        tiles: "手牌",
        numbers: "待ち牌",
        tileName: (n, suit) => `${n}${kSuitChars[suit] ?? kSuitChars[0]}`,
        badSeed: "シードは0〜4294967295の整数です",
        enterPrompt:
            "手牌を数字4・7・10・13個のどれかで入力してください（例：1112345678999p）。\n最後にm（マンズ）・p（ピンズ）・s（ソウズ）を付けると牌の種類を選べます（付けなければ今の種類のまま）。",
        enterLabel: "手牌",
        panel: "解説",
        beforeAnswer: "解答すると、ここに解説が表示されます",
        otherReadings: (n) => `ほかの読み方（${n}）`,
        abandonRun: "タイムアタックを中止しますか？",
        runResult: (time, right, of, missed, wrong) =>
            `タイム　${time}\n完全正解　${right} / ${of}問\n見逃した待ち　延べ${missed}種\n待ちでない牌の選択　延べ${wrong}種`,
        linkFault: "リンクの手牌：",
    },
    en: {
        title: "Zelkon",
        ok: "OK",
        next: "Next",
        answer: "Answer",
        reset: "Reset",
        settings: "Settings",
        suit: "Suit",
        suitRandom: "Random",
        suitNames: ["Manzu (characters)", "Pinzu (circles)", "Souzu (bamboo)"],
        sort: "Sort tiles",
        sortOn: "On",
        sortOff: "Off",
        practice: "Practice",
        explain: "Show explanation",
        deal: "Deal",
        bands: ["All hands", "1–2 waits", "3–4 waits", "5 or more waits"],
        timedRun: "Time attack",
        family: "Form",
        allForms: "All forms",
        size: "Tiles",
        tileCountName: (n) => `${n} tiles`,
        ladder: "Ladder",
        hint: "Hint",
        enter: "Input a hand",
        enterTitle: "Enter a hand",
        copy: "Copy the hand",
        copied: "Copied",
        language: "Language",
        close: "Close",
        cancel: "Cancel",
        tiles: "Hand",
        numbers: "Waits",
        tileName: (n, suit) => `${n} ${kSuitWords[suit] ?? kSuitWords[0]}`,
        badSeed: "The seed is a whole number from 0 to 4294967295",
        enterPrompt:
            "Enter the hand as 4, 7, 10 or 13 digits (for example 1112345678999p).\nA last letter m (manzu), p (pinzu) or s (souzu) chooses the suit (without one, the suit stays as it is).",
        enterLabel: "Hand",
        panel: "Explanation",
        beforeAnswer: "Answer, and the explanation shows here",
        otherReadings: (n) => `Other readings (${n})`,
        abandonRun: "Stop the time attack?",
        runResult: (time, right, of, missed, wrong) =>
            `Time  ${time}\nPerfect  ${right} / ${of}\nMissed waits  ${missed} in all\nWrong picks  ${wrong} in all`,
        linkFault: "The link's hand: ",
    },
};
