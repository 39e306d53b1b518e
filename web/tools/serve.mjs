// Serves build/web/site/ on localhost, as a static host would: gzipped where the browser takes it,
// and with the page's security policy also sent as a header.
import fs from "node:fs";
import http from "node:http";
import path from "node:path";
import { fileURLToPath } from "node:url";
import zlib from "node:zlib";

const kTypes = {
    ".html": "text/html; charset=utf-8",
    ".js": "text/javascript; charset=utf-8",
    ".css": "text/css; charset=utf-8",
    ".svg": "image/svg+xml",
    ".wasm": "application/wasm",
    ".webmanifest": "application/manifest+json",
    ".png": "image/png",
};

// Compressed once per version of a file, as a static host keeps its .gz files: compressing on
// every request would queue the page's files behind one another.
const gzipped = new Map();
function compressed(file) {
    const stamp = fs.statSync(file).mtimeMs;
    const kept = gzipped.get(file);
    if (kept?.stamp === stamp) {
        return kept.bytes;
    }
    const bytes = zlib.gzipSync(fs.readFileSync(file), { level: 9 });
    gzipped.set(file, { stamp, bytes });
    return bytes;
}

export function serve(site, port, host = "127.0.0.1") {
    const root = path.resolve(site);
    const csp = /http-equiv="Content-Security-Policy" content="([^"]*)"/.exec(
        fs.readFileSync(path.join(root, "index.html"), "utf8"))?.[1] ?? "default-src 'self'";
    const server = http.createServer((request, response) => {
        let name;
        try {
            name = decodeURIComponent(new URL(request.url ?? "/", "http://localhost").pathname);
        } catch {
            response.writeHead(400).end();
            return;
        }
        if (name.endsWith("/")) {
            name += "index.html";
        }
        const file = path.join(root, path.normalize(name));
        if (!file.startsWith(root + path.sep) || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
            response.writeHead(404, { "Content-Type": "text/plain" }).end("not found\n");
            return;
        }
        const gzip = /\bgzip\b/.test(request.headers["accept-encoding"] ?? "");
        const bytes = gzip ? compressed(file) : fs.readFileSync(file);
        response.writeHead(200, {
            "Content-Type": kTypes[path.extname(file)] ?? "application/octet-stream",
            "Content-Security-Policy": csp,
            "X-Content-Type-Options": "nosniff",
            "Cache-Control": "no-cache",
            Vary: "Accept-Encoding",
            ...(gzip ? { "Content-Encoding": "gzip" } : {}),
        });
        response.end(bytes);
    });
    return new Promise((resolve) => server.listen(port, host, () => resolve(server)));
}

if (process.argv[1] === fileURLToPath(import.meta.url)) {
    const [site, port] = process.argv.slice(2);
    const server = await serve(site, Number(port));
    console.log(`serving ${site} at http://localhost:${server.address().port}/ (Ctrl+C stops)`);
}
