// Keeps every file of the page, so that after one visit the game starts and
// plays without a network. The build writes its own name and files in here:
// a new build is a new worker with a new cache, fetched whole.
//
// A page runs one build from start to end: the files a page asks for come from
// the cache of the worker in charge of it. A new build's worker therefore
// waits until no page of the old build is open, and takes over only then, when
// the old build's cache is no one's and goes.
"use strict";
const kCache = "orbitane-@BUILD@";
const kFiles = ["./", @FILES@];

self.addEventListener("install", (event) => {
  event.waitUntil(caches.open(kCache).then((cache) => cache.addAll(kFiles)));
});

self.addEventListener("activate", (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((name) => name !== kCache)
                                      .map((name) => caches.delete(name)))));
});

// A page of the old build offers the player to load the new one: the new
// build takes over when that page is the only one open, and the page loads
// again; otherwise the other pages have to close first.
self.addEventListener("message", (event) => {
  if (event.data !== "take over if alone") return;
  event.waitUntil(self.clients.matchAll({ type: "window", includeUncontrolled: true })
    .then((pages) => pages.length > 1 ? event.source.postMessage("wait") : self.skipWaiting()));
});

// This build's files first, the network for anything else.
self.addEventListener("fetch", (event) => {
  if (event.request.method !== "GET") return;
  event.respondWith(caches.open(kCache)
    .then((cache) => cache.match(event.request, { ignoreSearch: true }))
    .then((kept) => kept || fetch(event.request)));
});
