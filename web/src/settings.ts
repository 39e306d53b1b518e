// Practice settings in the browser's storage. Whatever is stored is read as untrusted: a value
// that does not parse drops the whole record rather than reaching the page.
import type { Lang } from "./texts.js";

export type Band = 0 | 1 | 2 | 3; // すべての手, 1〜2, 3〜4, 5 and more
export const kBandLimits: ReadonlyArray<readonly [number, number]> = [
    [1, 9],
    [1, 2],
    [3, 4],
    [5, 9],
];

export interface Settings {
    lang: Lang;
    explain: boolean;
    band: Band;
    family: number; // -1 for every shape, else the catalogue's index
}

export const kDefaults: Settings = { lang: "ja", explain: false, band: 0, family: -1 };

const kKey = "zelkon.settings.v1";

export function parseSettings(stored: string | null): Settings | null {
    if (stored === null || stored.length > 200) {
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
    if (keys !== "band,explain,family,lang") {
        return null;
    }
    if ((v.lang !== "ja" && v.lang !== "en") || typeof v.explain !== "boolean") {
        return null;
    }
    if (typeof v.band !== "number" || !Number.isInteger(v.band) || v.band < 0 || v.band > 3) {
        return null;
    }
    if (typeof v.family !== "number" || !Number.isInteger(v.family) || v.family < -1 || v.family > 63) {
        return null;
    }
    return { lang: v.lang, explain: v.explain, band: v.band as Band, family: v.family };
}

// Storage may be missing or refuse (private modes, quotas): the page then simply forgets.
export function loadSettings(): Settings {
    try {
        const stored = localStorage.getItem(kKey);
        const parsed = parseSettings(stored);
        if (parsed === null && stored !== null) {
            localStorage.removeItem(kKey);
        }
        return parsed ?? { ...kDefaults };
    } catch {
        return { ...kDefaults };
    }
}

// Written only from the player's first change on, as the window writes its file.
export function saveSettings(settings: Settings): void {
    try {
        localStorage.setItem(kKey, JSON.stringify({ lang: settings.lang, explain: settings.explain, band: settings.band, family: settings.family }));
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
