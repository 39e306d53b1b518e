// Offline after the first visit: every file of the site is precached on install under a name
// that changes with their contents, and served from there first.
const sw = self as unknown as ServiceWorkerGlobalScope;

// Filled in by the build: the cache's name and every file the page needs.
const kCache = "@CACHE@";
const kFiles: string[] = JSON.parse('@FILES@');

sw.addEventListener("install", (event) => {
    event.waitUntil(
        caches
            .open(kCache)
            .then((cache) => cache.addAll(kFiles))
            .then(() => sw.skipWaiting()),
    );
});

sw.addEventListener("activate", (event) => {
    event.waitUntil(
        caches
            .keys()
            .then((names) => Promise.all(names.filter((n) => n !== kCache).map((n) => caches.delete(n))))
            .then(() => sw.clients.claim()),
    );
});

sw.addEventListener("fetch", (event) => {
    const request = event.request;
    if (request.method !== "GET" || new URL(request.url).origin !== sw.location.origin) {
        return;
    }
    // The page's address carries ?seed= and #hand; the file is the same.
    const url = new URL(request.url);
    const key = request.mode === "navigate" ? new URL("./", sw.location.href).href : url.origin + url.pathname;
    event.respondWith(
        caches.open(kCache).then((cache) =>
            cache.match(key).then((hit) => hit ?? fetch(request)),
        ),
    );
});
