#!/usr/bin/env bash
# Set up, build and run TAV, or run its tests, on Debian 12.
#   ./dev.sh run    install what is missing, build, start TAV
#   ./dev.sh test   install what is missing, build twice (plain, and with the
#                   address and undefined-behaviour sanitizers; unity batches, -g1),
#                   run every test in each,
#                   install the plain build into a temporary prefix and start it there,
#                   and fuzz the field information, DXF and system document readers, a
#                   minute each
#   ./dev.sh install [PACKAGE...]   install what the build needs and the packages named
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")"

packages=(cmake g++ make qt6-base-dev qt6-base-dev-tools libeigen3-dev libgl-dev fonts-liberation locales
    clang-14 libclang-rt-14-dev xvfb xauth xdotool poppler-utils python3-ezdxf)

install_missing() { # packages beyond the list above...
    local missing=()
    for package in "${packages[@]}" "$@"; do
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
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
    cmake --build "$dir" --parallel "$(nproc)"
}

# The test builds: the libraries in unity batches (Qt's headers read once for several
# sources) and line tables only for debugging (-g1: a failure's stack still names file and
# line); they check what the program's own build compiles, in half the time.
test_build() { # folder, optimisation, extra cmake options...
    local dir=$1 optimise=$2
    shift 2
    build "$dir" -DTAV_WARNINGS_AS_ERRORS=ON -DCMAKE_UNITY_BUILD=ON \
        -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="$optimise -g1 -DNDEBUG" "$@"
}

run_tests() { # folder
    # A locale with a decimal comma, compiled into the build folder: the tests check
    # that numbers are written and read the same under it.
    local locales=$PWD/$1/locale
    if [ ! -f "$locales/de_DE.UTF-8/LC_NUMERIC" ]; then
        mkdir -p "$locales"
        localedef -i de_DE -f UTF-8 "$locales/de_DE.UTF-8"
    fi
    LOCPATH=$locales TAV_TEST_COMMA_LOCALE=de_DE.UTF-8 \
        ctest --test-dir "$1" --output-on-failure --parallel "$(nproc)"
}

case "${1:-}" in
install) # what the build needs and the packages named after it, for the other scripts
    shift
    install_missing "$@"
    ;;
run)
    install_missing
    build build -DTAV_WARNINGS_AS_ERRORS=OFF
    exec build/bin/TAV
    ;;
test)
    install_missing
    test_build build -O2
    run_tests build
    # Installed elsewhere, the program still finds its language module and starts.
    tests/install/check-install.sh build
    # -O1 as the sanitizers' own guides advise: a fast enough run, a faithful stack.
    test_build build-sanitize -O1 -DTAV_SANITIZE=ON -DTAV_BENCH=OFF
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
    LSAN_OPTIONS=suppressions="$PWD/tests/lsan.supp":print_suppressions=0 \
    UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
        run_tests build-sanitize
    # The field information, DXF and system document readers under libFuzzer, a minute
    # each (clang; the last over Qt Core).
    fuzz/run.sh build-fuzz 60
    ;;
*)
    echo "usage: $0 run|test|install [PACKAGE...]" >&2
    exit 2
    ;;
esac
