// After one visit the page plays without a network: a service worker keeps the files of the
// build (sw.js). A page runs one build from start to end, so a new build waits until no page
// of the old one is open; meanwhile the page offers to load it, which it can when it is the
// only page of the game open.
const workers = navigator.serviceWorker;
const update = document.getElementById("update");

function offerNewBuild(registration) {
  if (!update.hidden) return;
  update.hidden = false;
  update.addEventListener("click", () => {
    workers.addEventListener("controllerchange", () => location.reload());
    workers.addEventListener("message", (event) => {
      if (event.data === "wait") update.textContent = "New version: close the other pages first";
    });
    workers.startMessages();
    registration.waiting.postMessage("take over if alone");
  });
}

// A build is ready for this page once it waits while this page's build is in charge.
function watchForNewBuilds(registration) {
  const ready = () => registration.waiting && workers.controller && offerNewBuild(registration);
  registration.addEventListener("updatefound", () => registration.installing
    .addEventListener("statechange", ready));
  ready();
}

if (workers) {
  workers.register("sw.js").then(watchForNewBuilds)
    .catch((error) => console.warn("The page will not play offline:", error.message));
}
