// Practice settings in the browser's storage. Whatever is stored is read as untrusted: a value
// that does not parse drops the whole record rather than reaching the page.
import type { Lang } from "./texts.js";

export type Band = 0 | 1 | 2 | 3; // すべての手, 1〜2, 3〜4, 5 and more

export interface Settings {
    lang: Lang;
    explain: boolean;
    band: Band;
    family: number; // -1 for every shape, else the catalogue's index
    tiles: number; // 枚数: 4, 7, 10 or 13
    ladder: boolean; // 段階練習
    ladderAt: number; // the ladder's step: its family and size, -1 and 0 before the first
    ladderTiles: number;
}

export const kDefaults: Settings = { lang: "ja", explain: false, band: 0, family: -1, tiles: 13, ladder: false, ladderAt: -1, ladderTiles: 0 };

const kKey = "zelkon.settings.v2";
const kOldKey = "zelkon.settings.v1"; // the first four fields alone

const isInt = (v: unknown, low: number, high: number) => typeof v === "number" && Number.isInteger(v) && v >= low && v <= high;

// Each field's test; a record must hold exactly these, or (the older record) exactly the first four.
const kFields: Record<keyof Settings, (v: unknown) => boolean> = {
    lang: (v) => v === "ja" || v === "en",
    explain: (v) => typeof v === "boolean",
    band: (v) => isInt(v, 0, 3),
    family: (v) => isInt(v, -1, 63),
    tiles: (v) => v === 4 || v === 7 || v === 10 || v === 13,
    ladder: (v) => typeof v === "boolean",
    ladderAt: (v) => isInt(v, -1, 63),
    ladderTiles: (v) => v === 0 || v === 4 || v === 7 || v === 10 || v === 13,
};
const kAll = Object.keys(kFields).sort().join(",");
const kFirstFour = "band,explain,family,lang";

export function parseSettings(stored: string | null): Settings | null {
    if (stored === null || stored.length > 400) {
        return null;
    }
    let value: unknown;
    try {
        value = JSON.parse(stored);
    } catch {
        return null;
    }
    if (typeof value !== "object" || value === null || Array.isArray(value)) {
        return null;
    }
    const v = value as Record<string, unknown>;
    const keys = Object.keys(v).sort().join(",");
    if (keys !== kAll && keys !== kFirstFour) {
        return null;
    }
    for (const key of Object.keys(v) as (keyof Settings)[]) {
        if (!kFields[key](v[key])) {
            return null;
        }
    }
    return { ...kDefaults, ...(v as Partial<Settings>) };
}

// Storage may be missing or refuse (private modes, quotas): the page then simply forgets.
export function loadSettings(): Settings {
    try {
        for (const key of [kKey, kOldKey]) {
            const stored = localStorage.getItem(key);
            const parsed = parseSettings(stored);
            if (parsed === null && stored !== null) {
                localStorage.removeItem(key);
            }
            if (parsed !== null) {
                return parsed;
            }
        }
    } catch {
        // As if nothing were stored.
    }
    return { ...kDefaults };
}

// Written only from the player's first change on, as the window writes its file.
export function saveSettings(settings: Settings): void {
    try {
        const record: Record<string, unknown> = {};
        for (const key of Object.keys(kFields) as (keyof Settings)[]) {
            record[key] = settings[key];
        }
        localStorage.setItem(kKey, JSON.stringify(record));
        localStorage.removeItem(kOldKey);
    } catch {
        // Nothing to do: the settings last until the page closes.
    }
}

// "?seed=N" as zelkon-cli reads --seed: digits only, 0 to 4294967295. undefined when absent.
export function parseSeed(search: string): number | null | undefined {
    const raw = new URLSearchParams(search).get("seed");
    if (raw === null) {
        return undefined;
    }
    if (!/^[0-9]{1,20}$/.test(raw)) {
        return null;
    }
    const value = Number(raw);
    return value <= 4294967295 ? value : null;
}
