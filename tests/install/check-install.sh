#!/usr/bin/env bash
# Installs a build into a temporary prefix, as a package or `cmake --install` would, and
# starts the installed TAV from an unrelated working folder on a virtual display until
# its main window is mapped; then closes it as a user would (Escape) and expects exit 0.
#   tests/install/check-install.sh BUILD_FOLDER
#   tests/install/check-install.sh --installed PREFIX    (an installation already there)
set -euo pipefail

start_and_close() { # prefix; runs on the virtual display
    local prefix=$1
    cd /
    "$prefix/bin/TAV" &
    local pid=$! window
    if ! window=$(timeout 30 xdotool search --sync --onlyvisible --name \
        '^TAV Grounding Design Program for TAV grounding rod Installation  $' | head -1) ||
        [ -z "$window" ]; then
        echo "install: the installed TAV showed no main window" >&2
        kill "$pid" 2>/dev/null || true
        return 1
    fi
    xdotool windowfocus --sync "$window" key Escape
    wait "$pid"
}

if [ "${1:-}" = --on-display ]; then
    start_and_close "$2"
    exit
fi
if [ "${1:-}" = --installed ]; then
    unset QT_QPA_PLATFORM
    xvfb-run -a "$0" --on-display "$2"
    echo "install: the TAV installed in $2 found its language module and showed its main window"
    exit
fi

build=$(cd "$1" && pwd)
prefix=$(mktemp -d /tmp/tav-install.XXXXXX)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
for file in bin/TAV bin/tav-calc share/tav/lang_en.rcc; do
    [ -f "$prefix/$file" ] || { echo "install: $file missing" >&2; exit 1; }
done
unset QT_QPA_PLATFORM
xvfb-run -a "$0" --on-display "$prefix"
echo "install: the installed TAV found its language module and showed its main window"
