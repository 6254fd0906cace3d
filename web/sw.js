// Keeps the page, its script, the engine and the icons, so the page opens with no network.
const CACHE = "velmarto-0.1.0.1";
const FILES = ["./", "index.html", "app.js", "ledger.js", "velmarto.js", "velmarto.wasm",
               "manifest.webmanifest", "icon-192.png", "icon-512.png"];

self.addEventListener("install", (event) => {
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILES)).then(() => self.skipWaiting()));
});

self.addEventListener("activate", (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((name) => name !== CACHE).map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

// The cache first; the network for anything it does not hold. velmarto-server's API is the
// network's alone: its answers change with every record, and its event streams stay open.
const SERVER_ONLY = ["/api/", "/healthz"];
self.addEventListener("fetch", (event) => {
  const { pathname } = new URL(event.request.url);
  if (event.request.method !== "GET" || SERVER_ONLY.some((prefix) => pathname.startsWith(prefix))) return;
  event.respondWith(caches.match(event.request, { ignoreSearch: true })
    .then((cached) => cached || fetch(event.request)));
});
