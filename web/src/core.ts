// The one typed wrapper over the core's WebAssembly module. Everything the quiz decides is
// decided in there; this file only moves numbers and UTF-8 text across.

export const kInterfaceVersion = 8;

// Hand sizes a typed hand may have, as bits (bit c for c tiles).
export const kWaitingSizes = (1 << 4) | (1 << 7) | (1 << 10) | (1 << 13);

export type MarkKind = 0 | 1 | 2; // circle, cross, none: the window's MarkKind values
export const MarkCircle = 0;
export const MarkCross = 1;
export const MarkNone = 2;

export type Suit = 0 | 1 | 2; // characters, circles, bamboo
export const SuitRandom = 3;

export enum Verdict {
    Wait = 0,
    FifthCopy = 1,
    NoReading = 2,
}

export enum BlockKind {
    Pair = 0,
    Triplet = 1,
    Run = 2,
}

// Tiles drawn side by side, as the window's panel groups them.
export enum TileGroupStyle {
    Plain = 0,
    Outlined = 1, // the block the winning tile completes
    Leftover = 2, // tiles no block takes
}

export interface TileGroup {
    style: TileGroupStyle;
    tiles: number[];
}

export interface Block {
    kind: BlockKind;
    first: number;
}

export interface Reading {
    blocks: Block[];
    winningBlock: number;
    waitShape: number;
    patterns: number; // bits of the pattern table's rows
    han: number;
}

export interface NumberExplanation {
    verdict: Verdict;
    readings: Reading[]; // every record, in table order
    best: number;
    distinct: number[]; // the record standing for each distinct reading
    bestDistinct: number; // best's place among them, -1 when there is none
    split: Block[];
    leftover: number[];
}

// HandNotationFault's fields, as zw_fault_field numbers them.
export interface HandFault {
    code: number;
    position: number;
    character: number;
    suit: number;
    suitPosition: number;
    count: number;
    number: number;
    invisible: boolean; // the character cannot show as itself
}

interface Exports {
    memory: WebAssembly.Memory;
    _initialize?: () => void;
    zw_version(): number;
    zw_text(): number;
    zw_text_capacity(): number;
    zw_set_up(seed: number): void;
    zw_new_problem(suitMode: number, sortMode: number, fewest: number, most: number): void;
    zw_deal(suitMode: number, sortMode: number): void;
    zw_set_band(band: number): void;
    zw_deal_status(): number;
    zw_set_tiles(tiles: number): void;
    zw_set_family(family: number): void;
    zw_set_ladder(on: number): void;
    zw_restore_ladder(at: number, tiles: number): void;
    zw_ladder_family(): number;
    zw_ladder_tiles(): number;
    zw_tile_count(): number;
    zw_check(length: number, sizes: number): number;
    zw_enter(length: number, sizes: number, suitMode: number, sortMode: number): number;
    zw_fault_field(field: number): number;
    zw_fault_text(): number;
    zw_toggle(n: number): void;
    zw_answer(): number;
    zw_use_hint(): number;
    zw_hints_used(): number;
    zw_answered(): number;
    zw_selected(n: number): number;
    zw_mark(n: number): number;
    zw_is_wait(n: number): number;
    zw_suit(): number;
    zw_display_tile(k: number): number;
    zw_answer_text(): number;
    zw_spell(): number;
    zw_verdict(n: number): number;
    zw_reading_count(n: number): number;
    zw_best_reading(n: number): number;
    zw_distinct_count(n: number): number;
    zw_distinct(n: number, place: number): number;
    zw_best_distinct(n: number): number;
    zw_block_count(n: number, r: number): number;
    zw_block(n: number, r: number, b: number): number;
    zw_winning_block(n: number, r: number): number;
    zw_wait_shape(n: number, r: number): number;
    zw_han(n: number, r: number): number;
    zw_patterns(n: number, r: number): number;
    zw_split_count(n: number): number;
    zw_split_block(n: number, b: number): number;
    zw_leftover(n: number): number;
    zw_wait_in_hand(n: number, r: number): number;
    zw_summary(): number;
    zw_item_gap(): number;
    zw_has_row(n: number): number;
    zw_shown_record(n: number): number;
    zw_verdict_text(n: number): number;
    zw_other_records(n: number): number;
    zw_caption(n: number, r: number): number;
    zw_waits_on(n: number, r: number): number;
    zw_row_tiles(n: number): number;
    zw_reading_tiles(n: number, r: number): number;
    zw_set_language(language: number): void;
    zw_analyse(): number;
    zw_analysed_patterns(n: number): number;
    zw_deal_seeded(seed: number, fewest: number, most: number): void;
    zw_seed(seed: number): void;
    zw_problem_digits(): number;
    zw_family_count(): number;
    zw_family_name(family: number): number;
    zw_hint(level: number): number;
    zw_hint_count(): number;
    zw_core_text(): number;
    zw_run_start(): void;
    zw_run_abandon(): void;
    zw_run_shown(now: number): void;
    zw_run_answered(now: number): number;
    zw_run_running(): number;
    zw_run_status(now: number): number;
    zw_run_result(field: number): number;
}

export interface RunResult {
    time: string;
    problems: number;
    fullyRight: number;
    waitsMissed: number;
    wrongPicks: number;
}

const decoder = new TextDecoder();
const encoder = new TextEncoder();

function block(code: number): Block {
    return { kind: (code >> 4) as BlockKind, first: code & 15 };
}

// "0444,0666,21468": each group its style digit, then its tiles.
function groups(text: string): TileGroup[] {
    return text === "" ? [] : text.split(",").map((g) => ({ style: Number(g[0]) as TileGroupStyle, tiles: Array.from(g.slice(1), Number) }));
}

export class Core {
    private readonly x: Exports;

    constructor(instance: WebAssembly.Instance) {
        this.x = instance.exports as unknown as Exports;
        this.x._initialize?.();
        if (this.x.zw_version() !== kInterfaceVersion) {
            throw new Error(`zelkon.wasm speaks version ${this.x.zw_version()}, not ${kInterfaceVersion}`);
        }
    }

    private text(length: number): string {
        return decoder.decode(new Uint8Array(this.x.memory.buffer, this.x.zw_text(), length));
    }

    // Returns the bytes written; text beyond the buffer is cut, and the core reads it as a fault.
    private putText(value: string): number {
        const room = new Uint8Array(this.x.memory.buffer, this.x.zw_text(), this.x.zw_text_capacity());
        return encoder.encodeInto(value, room).written;
    }

    setUp(seed: number): void {
        this.x.zw_set_up(seed >>> 0);
    }

    // The next problem, dealt as the settings (setBand, setTiles, setFamily, the ladder) say.
    deal(suitMode: number, sorted: boolean): void {
        this.x.zw_deal(suitMode, sorted ? 1 : 0);
    }

    // 出題: the band's index in the menu's order.
    setBand(band: number): void {
        this.x.zw_set_band(band);
    }

    // The window's status line: how the next problem is dealt, in the core's language.
    dealStatus(): string {
        return this.text(this.x.zw_deal_status());
    }

    private fault(code: number): HandFault | null {
        if (code === 0) {
            return null;
        }
        const f = (i: number) => this.x.zw_fault_field(i);
        return { code, position: f(0), character: f(1) >>> 0, suit: f(2), suitPosition: f(3), count: f(4), number: f(5), invisible: f(6) === 1 };
    }

    // The fault of a typed hand of one of sizes, or null for a hand; changes nothing.
    check(hand: string, sizes = kWaitingSizes): HandFault | null {
        return this.fault(this.x.zw_check(this.putText(hand), sizes));
    }

    // A typed hand becomes the problem on screen, or its fault comes back and nothing changes.
    enter(hand: string, suitMode: number, sorted: boolean, sizes = kWaitingSizes): HandFault | null {
        return this.fault(this.x.zw_enter(this.putText(hand), sizes, suitMode, sorted ? 1 : 0));
    }

    // The last fault of check or enter in 問題を入力's words, in the core's language.
    faultText(): string {
        return this.text(this.x.zw_fault_text());
    }

    // The window's 枚数, 形 (-1 every form) and 段階練習, for the deals from now on.
    setTiles(tiles: number): void {
        this.x.zw_set_tiles(tiles);
    }

    setFamily(family: number): void {
        this.x.zw_set_family(family);
    }

    setLadder(on: boolean): void {
        this.x.zw_set_ladder(on ? 1 : 0);
    }

    // Turns the ladder on at a step kept from before; one that cannot be dealt starts over.
    restoreLadder(at: number, tiles: number): void {
        this.x.zw_restore_ladder(at, tiles);
    }

    get ladderStep(): { family: number; tiles: number } {
        return { family: this.x.zw_ladder_family(), tiles: this.x.zw_ladder_tiles() };
    }

    get tileCount(): number {
        return this.x.zw_tile_count();
    }

    toggle(n: number): void {
        this.x.zw_toggle(n);
    }

    // True when the answer moved the ladder's step.
    answer(): boolean {
        return this.x.zw_answer() === 1;
    }

    // One more hint; false once answered or when every hint is shown.
    useHint(): boolean {
        return this.x.zw_use_hint() === 1;
    }

    get hintsUsed(): number {
        return this.x.zw_hints_used();
    }

    get answered(): boolean {
        return this.x.zw_answered() === 1;
    }

    selected(n: number): boolean {
        return this.x.zw_selected(n) === 1;
    }

    mark(n: number): MarkKind {
        return this.x.zw_mark(n) as MarkKind;
    }

    isWait(n: number): boolean {
        return this.x.zw_is_wait(n) === 1;
    }

    get suit(): Suit {
        return this.x.zw_suit() as Suit;
    }

    displayTiles(): number[] {
        return Array.from({ length: this.tileCount }, (_, k) => this.x.zw_display_tile(k));
    }

    answerText(): string {
        return this.text(this.x.zw_answer_text());
    }

    // Sorted, with the suit letter: the form a shared link and 問題をコピー use.
    spell(): string {
        return this.text(this.x.zw_spell());
    }

    explain(n: number): NumberExplanation {
        const x = this.x;
        const readings: Reading[] = [];
        for (let r = 0; r < x.zw_reading_count(n); ++r) {
            const blocks: Block[] = [];
            for (let b = 0; b < x.zw_block_count(n, r); ++b) {
                blocks.push(block(x.zw_block(n, r, b)));
            }
            readings.push({
                blocks,
                winningBlock: x.zw_winning_block(n, r),
                waitShape: x.zw_wait_shape(n, r),
                patterns: x.zw_patterns(n, r),
                han: x.zw_han(n, r),
            });
        }
        const split: Block[] = [];
        for (let b = 0; b < x.zw_split_count(n); ++b) {
            split.push(block(x.zw_split_block(n, b)));
        }
        const leftover = Array.from(this.text(x.zw_leftover(n)), Number);
        const distinct = Array.from({ length: x.zw_distinct_count(n) }, (_, i) => x.zw_distinct(n, i));
        return {
            verdict: x.zw_verdict(n) as Verdict,
            readings,
            best: x.zw_best_reading(n),
            distinct,
            bestDistinct: x.zw_best_distinct(n),
            split,
            leftover,
        };
    }

    // Where reading r of wait n stands in the hand: its groups of tiles and what they wait on.
    waitInHand(n: number, r: number): { groups: number[][]; on: number[] } {
        const [groups, on] = this.text(this.x.zw_wait_in_hand(n, r)).split("|");
        return { groups: groups.split(",").map((g) => Array.from(g, Number)), on: Array.from(on ?? "", Number) };
    }

    // The panel of the problem on screen in the core's words: the summary's items (each kept
    // whole, joined by itemGap), which numbers have a row, and each row's verdict and tiles.
    summaryItems(): string[] {
        const lines = this.text(this.x.zw_summary());
        return lines === "" ? [] : lines.split("\n");
    }

    get itemGap(): string {
        return this.text(this.x.zw_item_gap());
    }

    hasRow(n: number): boolean {
        return this.x.zw_has_row(n) === 1;
    }

    // The record of readings that number n's row shows, or -1.
    shownRecord(n: number): number {
        return this.x.zw_shown_record(n);
    }

    // The readings behind the row's 「ほかの読み方」, as records of readings.
    otherRecords(n: number): number[] {
        const list = this.text(this.x.zw_other_records(n));
        return list === "" ? [] : list.split(",").map(Number);
    }

    verdict(n: number): Verdict {
        return this.x.zw_verdict(n) as Verdict;
    }

    verdictText(n: number): string {
        return this.text(this.x.zw_verdict_text(n));
    }

    caption(n: number, r: number): string {
        return this.text(this.x.zw_caption(n, r));
    }

    // "が1・4を待つ" beside the tiles of waitInHand(n, r).
    waitsOn(n: number, r: number): string {
        return this.text(this.x.zw_waits_on(n, r));
    }

    rowTiles(n: number): TileGroup[] {
        return groups(this.text(this.x.zw_row_tiles(n)));
    }

    readingTiles(n: number, r: number): TileGroup[] {
        return groups(this.text(this.x.zw_reading_tiles(n, r)));
    }

    // The answer box, the panel and the hints in English (true) or Japanese.
    setEnglish(english: boolean): void {
        this.x.zw_set_language(english ? 1 : 0);
    }

    // The catalogue's families, by index and name.
    families(): { index: number; name: string }[] {
        return Array.from({ length: this.x.zw_family_count() }, (_, f) => ({ index: f, name: this.familyName(f) }));
    }

    familyName(family: number): string {
        return this.text(this.x.zw_family_name(family));
    }

    get hintCount(): number {
        return this.x.zw_hint_count();
    }

    hint(level: number): string {
        return this.text(this.x.zw_hint(level));
    }

    // After the answer, the smallest core's line where the window's panel shows one; else "".
    coreText(): string {
        return this.text(this.x.zw_core_text());
    }

    // The window's timed run; now is a monotonic clock in milliseconds (performance.now()).
    runStart(): void {
        this.x.zw_run_start();
    }

    runAbandon(): void {
        this.x.zw_run_abandon();
    }

    runShown(now: number): void {
        this.x.zw_run_shown(now);
    }

    // True when this answer was the run's tenth.
    runAnswered(now: number): boolean {
        return this.x.zw_run_answered(now) === 1;
    }

    get runRunning(): boolean {
        return this.x.zw_run_running() === 1;
    }

    runStatus(now: number): string {
        return this.text(this.x.zw_run_status(now));
    }

    runResult(): RunResult {
        const r = (field: number) => this.x.zw_run_result(field);
        return { time: this.text(r(0)), problems: r(1), fullyRight: r(2), waitsMissed: r(3), wrongPicks: r(4) };
    }

    // For tests and tools: the waits of any ascending 13-digit hand as bits 1 to 9, and a wait's
    // pattern bits.
    analyse(digits: string): number {
        this.putText(digits);
        return this.x.zw_analyse();
    }

    analysedPatterns(n: number): number {
        return this.x.zw_analysed_patterns(n);
    }

    // For tests: the first problem `zelkon-cli deal --seed` deals, as sorted and deal-order digits.
    dealSeeded(seed: number, fewest = 1, most = 9): [string, string] {
        this.x.zw_deal_seeded(seed >>> 0, fewest, most);
        return this.problemDigits();
    }

    seed(seed: number): void {
        this.x.zw_seed(seed >>> 0);
    }

    // The problem on screen as sorted and deal-order digits, for tests.
    problemDigits(): [string, string] {
        const digits = this.text(this.x.zw_problem_digits());
        return [digits.slice(0, digits.length / 2), digits.slice(digits.length / 2)];
    }

    // The next problem of the same worksheet, for tests.
    dealNext(fewest = 1, most = 9): [string, string] {
        this.x.zw_new_problem(0, 1, fewest, most);
        return this.problemDigits();
    }
}

// The browser streams and compiles while it downloads; node hands in the file's bytes.
export async function loadCore(source: Response | Promise<Response> | BufferSource): Promise<Core> {
    const imports = {};
    if (source instanceof Response || source instanceof Promise) {
        const { instance } = await WebAssembly.instantiateStreaming(source, imports);
        return new Core(instance);
    }
    const { instance } = await WebAssembly.instantiate(source, imports);
    return new Core(instance);
}
