// Keeps every file of the page, so that after one visit the game starts and
// plays without a network. The build writes its own name and files in here:
// a new build is a new worker with a new cache, fetched whole, and the old
// build's cache goes once the new one has taken over.
"use strict";
const kCache = "orbitane-@BUILD@";
const kFiles = ["./", @FILES@];

self.addEventListener("install", (event) => {
  event.waitUntil(caches.open(kCache).then((cache) => cache.addAll(kFiles))
    .then(() => self.skipWaiting()));
});

self.addEventListener("activate", (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((name) => name !== kCache)
                                      .map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

// Kept files first, the network for anything else.
self.addEventListener("fetch", (event) => {
  if (event.request.method !== "GET") return;
  event.respondWith(caches.match(event.request, { ignoreSearch: true })
    .then((kept) => kept || fetch(event.request)));
});
