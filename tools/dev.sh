#!/usr/bin/env bash
# Sets up a Debian machine for Orbitane, builds it, and plays it, tests it or
# serves it as a web page.
#   bash tools/dev.sh play   install what is missing, build, play
#   bash tools/dev.sh test   install what is missing, build, run every test
#   bash tools/dev.sh web    install what is missing, build the web page into
#                            build-web/ and serve it on 127.0.0.1 (PORT, 8000)
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$here/build"
jobs=$(nproc 2>/dev/null || echo 2)

build_packages=(cmake g++ make pkg-config libsdl1.2-compat-dev zlib1g-dev)
test_packages=(libgtest-dev libbenchmark-dev xvfb xauth xdotool x11-utils imagemagick libx11-dev
    desktop-file-utils dpkg-dev file lintian appstream clang libclang-rt-14-dev clang-format chromium
    firefox-esr webkit2gtk-driver)
# The web page: Debian's Emscripten, which brings its own SDL 1.2, g++ and
# zlib for the art generator, which runs on this machine, and a web server.
web_packages=(cmake g++ make zlib1g-dev emscripten python3)

# Installs the Debian packages of the list that are not installed yet.
install_missing() {
    local missing=()
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Configures (cheap when nothing changed), then rebuilds only what changed.
# Usage: build_in DIR [cmake options...] [-- build options...]
build_in() {
    local dir=$1
    shift
    local configure=()
    while [ $# -gt 0 ] && [ "$1" != "--" ]; do configure+=("$1"); shift; done
    [ "${1:-}" = "--" ] && shift
    cmake -S "$here" -B "$dir" "${configure[@]}" >/dev/null
    cmake --build "$dir" -j "$jobs" "$@"
}

# Builds the web page into build-web/. Debian's node does not look where
# Debian keeps the modules that Emscripten's tools need.
build_web() {
    export NODE_PATH=/usr/share/nodejs
    emcmake cmake -S "$here" -B "$here/build-web" -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$here/build-web" -j "$jobs"
}

# puppeteer-core and selenium-webdriver, at the versions package-lock.json
# pins, drive the installed Chromium, Firefox and WebKit for the page's test;
# neither downloads a browser or a driver. Debian's npm comes in only where no
# npm is found, so as not to replace one that came with node.
install_node_modules() {
    command -v npm >/dev/null || install_missing npm
    (cd "$here" && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund --loglevel=error)
}

play() {
    install_missing "${build_packages[@]}"
    build_in "$build" -- --target orbitane
    cd "$build" && exec ./orbitane
}

run_tests() {
    install_missing "${build_packages[@]}" "${test_packages[@]}" "${web_packages[@]}"
    echo "== Format and size of the test code"
    (cd "$here" && bash tools/sources.sh cpp h | xargs -r clang-format --dry-run -Werror)
    bash "$here/tools/test-ratio.sh" --check
    echo "== Tests"
    build_in "$build"
    ctest --test-dir "$build" --output-on-failure --no-tests=error -j "$jobs"

    echo "== Tests under AddressSanitizer and UndefinedBehaviorSanitizer"
    build_in "$here/build-asan" -DORBITANE_SANITIZE=ON -DORBITANE_BENCHMARKS=OFF
    ctest --test-dir "$here/build-asan" --output-on-failure --no-tests=error -j "$jobs"

    echo "== The web page in Chromium, Firefox and WebKit"
    build_web
    install_node_modules
    node "$here/tests/e2e/web_page.js" "$here/build-web"

    if command -v clang++ >/dev/null && [ -f "$here/fuzz/smoke.sh" ]; then
        echo "== Fuzzing the picture and font loaders"
        bash "$here/fuzz/smoke.sh" "$here/build-fuzz"
    fi
}

# The page is static files: any web server can host build-web/ as it is.
web() {
    install_missing "${web_packages[@]}"
    build_web
    local port=${PORT:-8000}
    echo "Orbitane is served at http://127.0.0.1:$port/ (Ctrl+C stops the server)"
    cd "$here/build-web" && exec python3 -m http.server --bind 127.0.0.1 "$port"
}

case "${1:-}" in
    play) play ;;
    test) run_tests ;;
    web) web ;;
    *) echo "usage: bash tools/dev.sh play|test|web" >&2; exit 2 ;;
esac
