// Builds the static site into build/web/site/: the core as one WebAssembly module with no imports,
// the page's scripts, one tile sprite, the manifest and a service worker that precaches them all.
import { execFileSync } from "node:child_process";
import { createHash } from "node:crypto";
import fs from "node:fs";
import path from "node:path";
import { fileURLToPath } from "node:url";
import zlib from "node:zlib";

const web = path.dirname(path.dirname(fileURLToPath(import.meta.url)));
const root = path.dirname(web);
const out = path.join(root, "build", "web");
const site = path.join(out, "site");

function run(command, args, options = {}) {
    execFileSync(command, args, { stdio: "inherit", ...options });
}

// Every source of the core's floors that the page reaches: analysis, dealing, the quiz logic, the
// timed run and the window's dealer with its ladder.
// Files the page never calls cost nothing: the linker drops what no export reaches.
function coreSources() {
    const folder = (name) =>
        fs.readdirSync(path.join(root, name))
            .filter((f) => f.endsWith(".cpp"))
            .sort()
            .map((f) => path.join(root, name, f));
    const quiz = ["quiz_logic", "timed_run", "practice_dealer", "ladder", "deal_status"].map((f) => path.join(root, "quiz", `${f}.cpp`));
    return [...folder("analysis"), ...folder("dealing"), ...quiz, path.join(web, "core", "zelkon_web.cpp")];
}

function buildModule() {
    const wasm = path.join(site, "zelkon.wasm");
    run(process.env.ZELKON_WASM_CXX ?? "clang++", [
        "--target=wasm32-wasi", "--sysroot=/usr", "-std=c++20", "-Os", "-fno-exceptions", "-fno-rtti",
        "-Wall", "-Wextra", "-mexec-model=reactor", "-I", root, ...coreSources(),
        "-Wl,--strip-all", "-o", wasm,
    ]);
    // A module that imports nothing needs no glue: the same file loads in the page and in node.
    const imports = WebAssembly.Module.imports(new WebAssembly.Module(fs.readFileSync(wasm)));
    if (imports.length > 0) {
        throw new Error(`zelkon.wasm imports ${imports.map((i) => `${i.module}.${i.name}`).join(", ")}`);
    }
}

function buildScripts() {
    const tsc = path.join(web, "node_modules", ".bin", "tsc");
    fs.rmSync(path.join(out, "js"), { recursive: true, force: true });
    run(tsc, ["-p", path.join(web, "tsconfig.json")]);
    run(tsc, ["-p", path.join(web, "tsconfig.sw.json")]);
    // One script for the page: six modules would queue behind the browser's six connections.
    run(path.join(web, "node_modules", ".bin", "esbuild"), [
        path.join(out, "js", "main.js"), "--bundle", "--format=esm", "--minify", "--target=es2022",
        "--legal-comments=none", "--log-level=warning", `--outfile=${path.join(site, "js", "main.js")}`,
    ]);
}

// The 27 tiles in one file, 9 numbers across and characters, circles, bamboo down, so that the
// page shows any tile by its position; they share one set of gradients.
function buildSprite() {
    const suits = ["manzu", "pinzu", "souzu"];
    let defs = null;
    const parts = [];
    suits.forEach((suit, row) => {
        for (let n = 1; n <= 9; ++n) {
            const file = path.join(root, "res", "tiles", `${suit}_${n}.svg`);
            const svg = fs.readFileSync(file, "utf8");
            const tileDefs = /<defs>[\s\S]*?<\/defs>/.exec(svg)?.[0] ?? "";
            if (defs === null) {
                defs = tileDefs;
            } else if (tileDefs !== defs) {
                throw new Error(`${file}: its gradients differ from the other tiles'; the sprite shares one set`);
            }
            const body = svg
                .replace(/^[\s\S]*?<svg[^>]*>/, "")
                .replace(/<\/svg>\s*$/, "")
                .replace(/<title>[\s\S]*?<\/title>/, "")
                .replace(tileDefs, "")
                .trim();
            parts.push(`<svg x="${(n - 1) * 33}" y="${row * 59}" width="33" height="59" viewBox="0 0 33 59">${body}</svg>`);
        }
    });
    const sprite = `<svg xmlns="http://www.w3.org/2000/svg" width="297" height="177" viewBox="0 0 297 177">${defs}\n${parts.join("\n")}\n</svg>\n`;
    fs.writeFileSync(path.join(site, "tiles.svg"), sprite);
}

// The stylesheet arrives inside the page, named in the policy by its hash: a file of its own
// would hold the first paint back by a request.
function csp(style) {
    const hash = createHash("sha256").update(style).digest("base64");
    return [
        "default-src 'none'",
        "script-src 'self' 'wasm-unsafe-eval'",
        `style-src 'self' 'sha256-${hash}'`,
        "img-src 'self'",
        "connect-src 'self'",
        "manifest-src 'self'",
        "worker-src 'self'",
        "base-uri 'none'",
        "form-action 'none'",
    ].join("; ");
}

function buildPage() {
    const page = path.join(web, "page");
    const style = execFileSync(path.join(web, "node_modules", ".bin", "esbuild"), [
        path.join(page, "style.css"), "--minify", "--log-level=warning",
    ], { encoding: "utf8" }).trim();
    const link = '<link rel="stylesheet" href="style.css">';
    const source = fs.readFileSync(path.join(page, "index.html"), "utf8");
    if (!source.includes(link)) {
        throw new Error(`web/page/index.html: no ${link} to put the stylesheet in`);
    }
    const html = source.replace("@CSP@", csp(style)).replace(link, () => `<style>${style}</style>`);
    fs.writeFileSync(path.join(site, "index.html"), html);
    fs.copyFileSync(path.join(page, "manifest.webmanifest"), path.join(site, "manifest.webmanifest"));
    fs.copyFileSync(path.join(root, "res", "icons", "zelkon.svg"), path.join(site, "icon.svg"));
    // PNG icons for launchers that take no SVG: rendered, then cut to 32 colours without
    // dithering, which keeps the 512 px one near 14 KB instead of 90.
    for (const size of [192, 512]) {
        const raw = path.join(out, `icon-${size}.png`);
        run("rsvg-convert", ["-w", String(size), "-h", String(size), "-o", raw, path.join(root, "res", "icons", "zelkon.svg")]);
        run("pngquant", ["--force", "--strip", "--nofs", "--speed", "1", "--output", path.join(site, `icon-${size}.png`), "32", raw]);
    }
}

function siteFiles(dir = site, prefix = "") {
    return fs.readdirSync(dir, { withFileTypes: true }).flatMap((e) =>
        e.isDirectory() ? siteFiles(path.join(dir, e.name), `${prefix}${e.name}/`) : [`${prefix}${e.name}`]);
}

// The worker's cache is named by the contents of every file, so any change installs afresh.
function buildWorker() {
    const files = siteFiles().filter((f) => f !== "sw.js").sort();
    const hash = createHash("sha256");
    for (const f of files) {
        hash.update(f).update(fs.readFileSync(path.join(site, f)));
    }
    const list = ["./", ...files.filter((f) => f !== "index.html")];
    const sw = fs.readFileSync(path.join(out, "js-sw", "sw.js"), "utf8")
        .replace("@CACHE@", `zelkon-${hash.digest("hex").slice(0, 16)}`)
        .replace("@FILES@", JSON.stringify(list));
    fs.writeFileSync(path.join(site, "sw.js"), sw);
}

function reportSizes() {
    const rows = siteFiles().sort().map((f) => {
        const bytes = fs.readFileSync(path.join(site, f));
        return [f, bytes.length, zlib.gzipSync(bytes, { level: 9 }).length];
    });
    const total = rows.reduce((sum, r) => sum + r[2], 0);
    const lines = rows.map(([f, raw, gz]) => `${String(gz).padStart(7)}  ${String(raw).padStart(7)}  ${f}`);
    const text = `gzipped    bytes  file\n${lines.join("\n")}\n${String(total).padStart(7)}           all files, each gzipped on its own\n`;
    fs.writeFileSync(path.join(out, "sizes.txt"), text);
    console.log(`build/web/site: ${rows.length} files, ${(total / 1024).toFixed(1)} KB gzipped (build/web/sizes.txt)`);
    // Everything a first visit loads, precache and icons included, stays under 80 KB.
    if (total >= 80 * 1024) {
        throw new Error(`build/web/site is ${(total / 1024).toFixed(1)} KB gzipped, over the 80 KB a first visit may load`);
    }
}

fs.rmSync(site, { recursive: true, force: true });
fs.mkdirSync(site, { recursive: true });
buildModule();
buildScripts();
buildSprite();
buildPage();
buildWorker();
reportSizes();
