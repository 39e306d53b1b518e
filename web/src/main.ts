// The page: draws what the core holds and passes the player's presses to it. Every text that
// comes from the address, the storage or the player goes in as text, never as markup.
import { Core, loadCore, MarkCircle, MarkCross, SuitRandom, TileGroupStyle, Verdict } from "./core.js";
import type { TileGroup } from "./core.js";
import { loadSettings, parseSeed, saveSettings } from "./settings.js";
import type { Band, Settings } from "./settings.js";
import { TEXTS } from "./texts.js";
import type { Lang, Texts } from "./texts.js";
import { TimedRunDriver } from "./timed_run.js";

const kSuitOrder = [SuitRandom, 0, 2, 1]; // the window's menu: ランダム, マンズ, ソウズ, ピンズ
const kSizes = [4, 7, 10, 13]; // 枚数

function $<T extends HTMLElement>(id: string): T {
    return document.getElementById(id) as T;
}

function el<K extends keyof HTMLElementTagNameMap>(tag: K, className?: string, text?: string): HTMLElementTagNameMap[K] {
    const e = document.createElement(tag);
    if (className) {
        e.className = className;
    }
    if (text !== undefined) {
        e.textContent = text;
    }
    return e;
}

// A tile of the sprite: 9 columns of numbers, rows characters, circles, bamboo.
function tileImage(n: number, suit: number, name: string, className = "tile"): HTMLElement {
    const t = el("span", className);
    t.setAttribute("role", "img");
    t.setAttribute("aria-label", name);
    t.style.backgroundPosition = `${((n - 1) / 8) * 100}% ${(suit / 2) * 100}%`;
    // The panel's tiles carry their number under them, drawn by the style sheet.
    t.dataset.n = String(n);
    return t;
}

class Page {
    // Both come with the module, in start(); the controls are built and named before it.
    private core!: Core;
    private settings: Settings;
    private suitMode = SuitRandom;
    private sorted = true;
    private t: Texts;
    private readonly numberButtons: HTMLButtonElement[] = [];
    private readonly marks: HTMLElement[] = [];
    private readonly tiles: HTMLElement[] = [];
    private expanded = new Set<number>();
    private familiesShown = false;
    private run!: TimedRunDriver;

    constructor(settings: Settings) {
        this.settings = settings;
        this.t = TEXTS[this.settings.lang];
        this.build();
    }

    private build(): void {
        // The page's HTML holds the 13 tiles already, so nothing moves when the module arrives.
        this.tiles.push(...Array.from($("tiles").children as HTMLCollectionOf<HTMLElement>));
        const numbers = $("numbers");
        const okCell = numbers.firstElementChild;
        for (let n = 1; n <= 9; ++n) {
            const cell = el("div", "number");
            const mark = el("span", "mark");
            mark.setAttribute("aria-hidden", "true");
            const button = el("button", "pick", String(n));
            button.type = "button";
            button.setAttribute("aria-pressed", "false");
            cell.append(mark, button);
            numbers.insertBefore(cell, okCell);
            this.numberButtons.push(button);
            this.marks.push(mark);
        }
        this.applyTexts();
    }

    // No control answers before the core is there to answer it.
    private wire(): void {
        this.numberButtons.forEach((button, i) => button.addEventListener("click", () => this.toggle(i + 1)));
        $("ok").addEventListener("click", () => this.okNext());
        $("reset").addEventListener("click", () => this.reset());
        document.addEventListener("keydown", (e) => this.key(e));

        const settingsDialog = $<HTMLDialogElement>("settings-dialog");
        const practiceDialog = $<HTMLDialogElement>("practice-dialog");
        $("open-settings").addEventListener("click", () => settingsDialog.showModal());
        $("open-practice").addEventListener("click", () => {
            if (!this.familiesShown) {
                this.fillFamilies();
            }
            practiceDialog.showModal();
        });
        $<HTMLInputElement>("explain").addEventListener("change", (e) => {
            this.change({ explain: (e.target as HTMLInputElement).checked });
        });
        $("enter-hand").addEventListener("click", () => {
            practiceDialog.close();
            this.openEntry();
        });
        $("copy-hand").addEventListener("click", () => this.copyHand());
        $("hint").addEventListener("click", () => this.nextHint());
        $<HTMLSelectElement>("family").addEventListener("change", (e) => {
            this.core.setFamily(Number((e.target as HTMLSelectElement).value));
            this.change({ family: Number((e.target as HTMLSelectElement).value) });
        });
        $<HTMLInputElement>("ladder").addEventListener("change", (e) => {
            const on = (e.target as HTMLInputElement).checked;
            this.core.setLadder(on);
            this.change({ ladder: on });
        });
        $("timed-run").addEventListener("click", () => {
            practiceDialog.close();
            this.timedRunCommand();
        });
        const entryText = $<HTMLInputElement>("enter-text");
        entryText.addEventListener("input", () => this.checkEntry());
        $<HTMLDialogElement>("enter-dialog").addEventListener("close", () => this.closeEntry());
    }

    // Radio groups are rebuilt with the language; their state comes from the settings.
    private choices(id: string, name: string, labels: string[], checked: number, pick: (i: number) => void): void {
        const box = $(id);
        box.replaceChildren();
        labels.forEach((label, i) => {
            const wrap = el("label", "choice");
            const input = el("input");
            input.type = "radio";
            input.name = name;
            input.checked = i === checked;
            input.addEventListener("change", () => pick(i));
            wrap.append(input, el("span", undefined, label));
            box.append(wrap);
        });
    }

    private applyTexts(): void {
        const t = this.t;
        if (this.core !== undefined) {
            this.applyCoreLanguage();
        }
        document.documentElement.lang = this.settings.lang;
        document.title = t.title;
        $("title").textContent = t.title;
        $("reset").textContent = t.reset;
        $("open-settings").textContent = t.settings;
        $("settings-title").textContent = t.settings;
        $("open-practice").textContent = t.practice;
        $("practice-title").textContent = t.practice;
        $("answer-label").textContent = t.answer;
        $("panel-title").textContent = t.panel;
        $("suit-legend").textContent = t.suit;
        $("sort-legend").textContent = t.sort;
        $("explain-label").textContent = t.explain;
        $("band-legend").textContent = t.deal;
        $("timed-run").textContent = t.timedRun;
        $("family-label").textContent = t.family;
        $("size-legend").textContent = t.size;
        $("ladder-label").textContent = t.ladder;
        $("hint").textContent = t.hint;
        if (this.familiesShown) {
            this.fillFamilies();
        }
        $("enter-hand").textContent = t.enter;
        $("copy-hand").textContent = t.copy;
        $("lang-legend").textContent = t.language;
        $("settings-close").textContent = t.close;
        $("practice-close").textContent = t.close;
        $("enter-title").textContent = t.enterTitle;
        $("enter-prompt").textContent = t.enterPrompt;
        $("enter-label").textContent = t.enterLabel;
        $("enter-cancel").textContent = t.cancel;
        $("run-title").textContent = t.timedRun;
        $("run-no").textContent = t.cancel;
        $("tiles").setAttribute("aria-label", t.tiles);
        this.choices("suit-choices", "suit", [t.suitRandom, t.suitNames[0], t.suitNames[2], t.suitNames[1]],
            kSuitOrder.indexOf(this.suitMode), (i) => { this.suitMode = kSuitOrder[i]; });
        this.choices("sort-choices", "sort", [t.sortOn, t.sortOff], this.sorted ? 0 : 1, (i) => { this.sorted = i === 0; });
        this.choices("band-choices", "band", t.bands, this.settings.band, (i) => {
            this.core.setBand(i);
            this.change({ band: i as Band });
        });
        this.choices("size-choices", "size", kSizes.map(t.tileCountName), kSizes.indexOf(this.settings.tiles), (i) => {
            this.core.setTiles(kSizes[i]);
            this.change({ tiles: kSizes[i] });
        });
        $<HTMLInputElement>("ladder").checked = this.settings.ladder;
        this.choices("lang-choices", "lang", ["日本語", "English"], this.settings.lang === "ja" ? 0 : 1,
            (i) => this.change({ lang: i === 0 ? "ja" : "en" }));
        $<HTMLInputElement>("explain").checked = this.settings.explain;
    }

    // The first look at the catalogue counts every family's forms: left until the dialog opens.
    private fillFamilies(): void {
        this.familiesShown = true;
        const family = $<HTMLSelectElement>("family");
        family.replaceChildren();
        for (const { index, name } of [{ index: -1, name: this.t.allForms }, ...this.core.families()]) {
            const option = el("option", undefined, name);
            option.value = String(index);
            option.selected = index === this.settings.family;
            family.append(option);
        }
    }

    private change(part: Partial<Settings>): void {
        const before = this.settings;
        this.settings = { ...before, ...part };
        if (this.settings.ladder) {
            // The step goes with the settings, so that the next visit climbs on from there.
            const step = this.core.ladderStep;
            this.settings.ladderAt = step.family;
            this.settings.ladderTiles = step.tiles;
        }
        saveSettings(this.settings);
        if (part.lang !== undefined && part.lang !== before.lang) {
            this.t = TEXTS[this.settings.lang];
            this.applyTexts();
        }
        this.render();
    }

    private applyCoreLanguage(): void {
        this.core.setEnglish(this.settings.lang === "en");
        $<HTMLTextAreaElement>("answer").value = this.core.answerText();
    }

    start(core: Core): void {
        this.core = core;
        // The run's tick changes the clock only; every start and end of a run renders the rest.
        this.run = new TimedRunDriver(core, () => this.renderStatusLine());
        core.setBand(this.settings.band);
        core.setTiles(this.settings.tiles);
        core.setFamily(this.settings.family);
        if (this.settings.ladder) {
            core.restoreLadder(this.settings.ladderAt, this.settings.ladderTiles);
        }
        this.applyCoreLanguage();
        this.wire();
        const seed = parseSeed(location.search);
        const messages: string[] = [];
        if (seed === null) {
            messages.push(this.t.badSeed);
        }
        this.core.setUp(typeof seed === "number" ? seed : crypto.getRandomValues(new Uint32Array(1))[0]);
        messages.push(this.openLink());
        this.say(messages.filter(Boolean).join("\n"));
        this.render();
        window.addEventListener("hashchange", () => {
            this.say(this.openLink());
            this.render();
        });
    }

    // Opens the hand of the address's #…; returns the fault's words, or "" when there is none.
    private openLink(): string {
        const hash = this.linkedHand();
        // A typed hand would not be one of a timed run's ten.
        if (hash === null || this.run.active) {
            return "";
        }
        const fault = this.core.enter(hash, SuitRandom, true);
        if (fault !== null) {
            return this.t.linkFault + this.core.faultText();
        }
        this.expanded.clear();
        return "";
    }

    // The hand of a shared link, as typed; null when the address has none.
    private linkedHand(): string | null {
        const raw = location.hash.slice(1);
        if (raw === "") {
            return null;
        }
        try {
            return decodeURIComponent(raw);
        } catch {
            return raw;
        }
    }

    private say(text: string): void {
        $("message").textContent = text;
    }

    private toggle(n: number): void {
        if (this.core.answered) {
            return;
        }
        this.core.toggle(n);
        this.render();
    }

    private okNext(): void {
        if (this.core.answered) {
            this.newProblem();
            return;
        }
        const start = performance.now();
        const climbed = this.core.answer();
        this.expanded.clear();
        this.run.answered();
        if (climbed) {
            this.change({});
        } else {
            this.render();
        }
        // Read by web/bench/timing.mjs: the answer's work, before the frame that shows it.
        performance.measure("zelkon-answer", { start });
    }

    private newProblem(): void {
        this.core.deal(this.suitMode, this.sorted);
        this.say("");
        this.run.shown();
        this.render();
    }

    private reset(): void {
        if (this.run.active) {
            this.confirmAbandon(() => this.newProblem());
            return;
        }
        this.newProblem();
    }

    private key(e: KeyboardEvent): void {
        if (document.querySelector("dialog[open]") !== null || e.altKey || e.ctrlKey || e.metaKey) {
            return;
        }
        if (e.key === "Enter") {
            // A focused button would click as well: Enter answers or deals once, from OK.
            e.preventDefault();
            $("ok").focus();
            this.okNext();
            return;
        }
        if (e.code === "KeyH" && !e.shiftKey) {
            this.nextHint();
            return;
        }
        const digit = /^Digit([1-9])$/.exec(e.code);
        if (digit !== null) {
            e.preventDefault();
            const n = Number(digit[1]);
            if (!this.core.answered) {
                this.numberButtons[n - 1].focus();
                this.toggle(n);
            }
        }
    }

    private render(): void {
        const core = this.core;
        const t = this.t;
        const suit = core.suit;
        const shown = core.displayTiles();
        this.tiles.forEach((tile, k) => {
            const n = shown[k];
            // A short hand leaves the rest of the row out, as images and to the eye.
            tile.hidden = n === undefined;
            if (n !== undefined) {
                tile.style.backgroundPosition = `${((n - 1) / 8) * 100}% ${(suit / 2) * 100}%`;
                tile.setAttribute("aria-label", t.tileName(n, suit));
            } else {
                tile.removeAttribute("aria-label");
            }
        });
        $("tiles").classList.toggle("short", shown.length !== 13);
        const answered = core.answered;
        for (let n = 1; n <= 9; ++n) {
            const button = this.numberButtons[n - 1];
            const picked = core.selected(n);
            button.setAttribute("aria-pressed", String(picked));
            button.classList.toggle("picked", picked);
            // Disabled buttons lose the focus; keep it on the board.
            if (answered && document.activeElement === button) {
                $("ok").focus();
            }
            button.disabled = answered;
            const mark = answered ? core.mark(n) : -1;
            this.marks[n - 1].className = mark === MarkCircle ? "mark circle" : mark === MarkCross ? "mark cross" : "mark";
        }
        $("ok").textContent = answered ? t.next : t.ok;
        $<HTMLTextAreaElement>("answer").value = core.answerText();
        this.renderPanel();
    }

    private renderRunStatus(): void {
        // A run keeps its way of dealing, and a typed hand would not be one of the ten.
        const running = this.run.active;
        $<HTMLButtonElement>("enter-hand").disabled = running;
        for (const input of $("band-choices").querySelectorAll("input")) {
            input.disabled = running;
        }
        $<HTMLSelectElement>("family").disabled = running;
        $<HTMLInputElement>("ladder").disabled = running;
        // The ladder chooses the size itself.
        for (const input of $("size-choices").querySelectorAll("input")) {
            input.disabled = running || this.settings.ladder;
        }
        this.renderStatusLine();
    }

    private renderStatusLine(): void {
        const running = this.run.active;
        const status = $("run-status");
        const text = running ? this.run.statusText() : this.core.dealStatus();
        status.hidden = text === "";
        status.textContent = text;
    }

    private renderPanel(): void {
        const panel = $("panel");
        const open = this.settings.explain || this.run.active;
        panel.hidden = !open;
        document.body.classList.toggle("with-panel", open);
        this.renderRunStatus();
        const rows = $("panel-rows");
        rows.replaceChildren();
        const hints = $("hints");
        hints.replaceChildren();
        const hint = $<HTMLButtonElement>("hint");
        hint.hidden = !this.settings.explain;
        hint.disabled = !this.hintAllowed() || this.core.hintsUsed >= this.core.hintCount;
        if (!open) {
            return;
        }
        for (let level = 1; level <= this.core.hintsUsed; ++level) {
            hints.append(el("li", undefined, this.core.hint(level)));
        }
        if (!this.core.answered) {
            rows.append(el("p", "panel-empty", this.t.beforeAnswer));
            return;
        }
        // Each item of the line whole: it breaks only between them, at the core's gaps.
        const summary = el("p", "summary");
        const gap = this.core.itemGap;
        this.core.summaryItems().forEach((item, i) => {
            if (i > 0) {
                summary.append(gap);
            }
            summary.append(el("span", "item", item));
        });
        rows.append(summary);
        const core = this.core.coreText();
        if (core !== "") {
            rows.append(el("p", "core-line", core));
        }
        for (let n = 1; n <= 9; ++n) {
            if (this.core.hasRow(n)) {
                rows.append(this.row(n));
            }
        }
    }

    // One hint more per press, only while the panel is open, the problem unanswered and no run on.
    private hintAllowed(): boolean {
        return this.settings.explain && !this.core.answered && !this.run.active;
    }

    private nextHint(): void {
        if (this.hintAllowed() && this.core.useHint()) {
            this.renderPanel();
        }
    }

    private tileLine(groups: TileGroup[]): HTMLElement {
        const line = el("div", "small-tiles");
        const suit = this.core.suit;
        for (const { style, tiles } of groups) {
            const group = el("span", style === TileGroupStyle.Outlined ? "group won" : style === TileGroupStyle.Leftover ? "group leftover" : "group");
            for (const n of tiles) {
                group.append(tileImage(n, suit, this.t.tileName(n, suit), "small tile"));
            }
            line.append(group);
        }
        return line;
    }

    // The wait as it stands in the 13 tiles: "[4][5] が3・6を待つ".
    private waitLine(n: number, r: number): HTMLElement {
        const wait = this.core.waitInHand(n, r);
        const line = this.tileLine(wait.groups.map((tiles) => ({ style: TileGroupStyle.Plain, tiles })));
        line.classList.add("wait-line");
        line.append(el("span", "waits-on", this.core.waitsOn(n, r)));
        return line;
    }

    private row(n: number): HTMLElement {
        const row = el("div", "row");
        const mark = this.core.mark(n);
        const head = el("p", "row-head");
        const sign = el("span", mark === MarkCircle ? "sign circle" : mark === MarkCross ? "sign cross" : "sign neutral");
        sign.setAttribute("aria-hidden", "true");
        head.append(sign, el("span", "row-number", String(n)), el("span", "row-verdict", this.core.verdictText(n)));
        row.append(head);
        row.append(this.tileLine(this.core.rowTiles(n)));
        if (this.core.verdict(n) === Verdict.Wait) {
            row.append(this.waitLine(n, this.core.shownRecord(n)));
        }
        const others = this.core.otherRecords(n);
        if (others.length > 0) {
            const link = el("button", "others", this.t.otherReadings(others.length));
            link.type = "button";
            const open = this.expanded.has(n);
            link.setAttribute("aria-expanded", String(open));
            link.addEventListener("click", () => {
                if (!this.expanded.delete(n)) {
                    this.expanded.add(n);
                }
                this.renderPanel();
            });
            row.append(link);
            if (open) {
                for (const r of others) {
                    row.append(el("p", "other-caption", this.core.caption(n, r)));
                    row.append(this.tileLine(this.core.readingTiles(n, r)));
                }
            }
        }
        return row;
    }

    private openEntry(): void {
        const text = $<HTMLInputElement>("enter-text");
        text.value = "";
        $("enter-fault").textContent = "";
        $<HTMLButtonElement>("enter-ok").disabled = true;
        $<HTMLDialogElement>("enter-dialog").showModal();
        text.focus();
    }

    private checkEntry(): void {
        const fault = this.core.check($<HTMLInputElement>("enter-text").value);
        $("enter-fault").textContent = fault === null ? "" : this.core.faultText();
        $<HTMLButtonElement>("enter-ok").disabled = fault !== null;
    }

    private closeEntry(): void {
        const dialog = $<HTMLDialogElement>("enter-dialog");
        if (dialog.returnValue !== "ok") {
            return;
        }
        dialog.returnValue = "";
        const hand = $<HTMLInputElement>("enter-text").value;
        if (this.core.enter(hand, this.suitMode, this.sorted) === null) {
            this.expanded.clear();
            this.render();
        }
    }

    private async copyHand(): Promise<void> {
        const hand = this.core.spell();
        const link = `${location.origin}${location.pathname}#${hand}`;
        try {
            await navigator.clipboard.writeText(link);
            this.say(`${this.t.copied}: ${link}`);
        } catch {
            this.say(link);
        }
    }

    private confirmAbandon(then: () => void): void {
        const dialog = $<HTMLDialogElement>("run-dialog");
        $("run-text").textContent = this.t.abandonRun;
        $("run-yes").textContent = this.t.ok;
        $("run-no").hidden = false;
        dialog.returnValue = "";
        dialog.addEventListener(
            "close",
            () => {
                if (dialog.returnValue === "yes") {
                    this.run.abandon();
                    then();
                }
            },
            { once: true },
        );
        dialog.showModal();
    }

    private timedRunCommand(): void {
        if (this.run.active) {
            this.confirmAbandon(() => this.render());
            return;
        }
        this.run.start(() => this.showRunResult());
        this.newProblem();
    }

    private showRunResult(): void {
        const r = this.run.result();
        const dialog = $<HTMLDialogElement>("run-dialog");
        $("run-text").textContent = this.t.runResult(r.time, r.fullyRight, r.problems, r.waitsMissed, r.wrongPicks);
        $("run-yes").textContent = this.t.ok;
        $("run-no").hidden = true;
        dialog.showModal();
    }
}

// The marks split a cold start for web/bench/timing.mjs.
async function main(): Promise<void> {
    performance.mark("zelkon-script");
    const loading = loadCore(fetch("zelkon.wasm"));
    // The storage opens (slowly, the first time) and the controls are built while the module
    // compiles.
    const page = new Page(loadSettings());
    const core = await loading;
    performance.mark("zelkon-core");
    page.start(core);
    performance.mark("zelkon-dealt");
    document.body.classList.add("ready");
    requestAnimationFrame(() => {
        performance.mark("zelkon-first-frame");
        // After the first problem's frame, so that the worker and its precache never delay it.
        if ("serviceWorker" in navigator && location.protocol !== "file:") {
            setTimeout(() => navigator.serviceWorker.register("sw.js").catch(() => undefined));
        }
    });
}

void main();

export type { Lang };
