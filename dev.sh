#!/usr/bin/env bash
# Set up, build and run TAV, or run its tests, on Debian 12.
#   ./dev.sh run    install what is missing, build, start TAV
#   ./dev.sh test   install what is missing, build twice (plain, and with the
#                   address and undefined-behaviour sanitizers), run every test in each
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"

packages=(cmake g++ make qt6-base-dev qt6-base-dev-tools libgl-dev fonts-liberation)

install_missing() {
    local missing=()
    for package in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
        "${missing[@]}"
}

build() { # folder, extra cmake options...
    local dir=$1
    shift
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAV_WARNINGS_AS_ERRORS=ON "$@" >/dev/null
    cmake --build "$dir" --parallel "$(nproc)"
}

run_tests() { # folder
    ctest --test-dir "$1" --output-on-failure --parallel "$(nproc)"
}

case "${1:-}" in
run)
    install_missing
    build build
    exec build/bin/TAV
    ;;
test)
    install_missing
    build build
    run_tests build
    build build-sanitize -DTAV_SANITIZE=ON
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
    LSAN_OPTIONS=suppressions="$PWD/tests/lsan.supp":print_suppressions=0 \
    UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
        run_tests build-sanitize
    ;;
*)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
