// Put first in a page whose console its driver cannot read (WebKit's): keeps
// what the page reports as errors, for the driver to read from `pageErrors`.
"use strict";
{
    const errors = window.pageErrors = [];
    const logError = console.error;
    console.error = (...parts) => {
        errors.push(parts.join(" "));
        logError.apply(console, parts);
    };
    // Uncaught exceptions, and files that failed to load.
    addEventListener("error", (event) => errors.push(event.message ||
        `no ${event.target.src || event.target.href}`), true);
    addEventListener("unhandledrejection", (event) => errors.push(String(event.reason)));
    document.addEventListener("securitypolicyviolation", (event) =>
        errors.push(`${event.blockedURI} blocked by ${event.violatedDirective}`));
}
