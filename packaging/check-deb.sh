#!/usr/bin/env bash
# Builds TAV's Debian package from a Release build, runs lintian on it, installs it with
# apt-get, starts the installed TAV on a virtual display until its main window is mapped,
# runs tav-calc --help and man tav-calc, validates the desktop entry and the metainfo,
# then removes the package and checks that nothing of it is left. Run as root (or with
# sudo) on Debian 12.
#   packaging/check-deb.sh [BUILD_FOLDER]
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
build=${1:-build-deb}
sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)

step() { printf '\n== %s\n' "$*"; }

step "tools"
./dev.sh install dpkg-dev lintian desktop-file-utils appstream man-db xvfb xauth xdotool

step "Release build and package"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" --parallel "$(nproc)" >/dev/null
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/tav_*_*.deb)
echo "$deb"
dpkg-deb --info "$deb" | sed -n '/Package:/,$p'
dpkg-deb --contents "$deb" | awk '{print $6}'

step "lintian"
# Tags that stay, and why: see the README's packaging section.
lintian --fail-on error --info "$deb" || { echo "lintian reported errors" >&2; exit 1; }

step "install"
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "./$deb" >/dev/null
files=$(dpkg -L tav)

step "installed TAV shows its main window"
tests/install/check-install.sh --installed /usr

step "tav-calc --help, man tav-calc"
tav-calc --help
MANPAGER=cat MANWIDTH=80 man tav-calc | head -12
man -w TAV

step "desktop entry and metainfo"
desktop-file-validate /usr/share/applications/org.tav.TAV.desktop && echo "desktop entry valid"
appstreamcli validate --no-net /usr/share/metainfo/org.tav.TAV.metainfo.xml

step "remove"
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get remove --purge -y -qq tav >/dev/null
left=0
while read -r path; do
    if [ -f "$path" ] || [ -L "$path" ]; then
        echo "left behind: $path" >&2
        left=1
    fi
done <<<"$files"
dpkg-query -W tav >/dev/null 2>&1 && { echo "tav still known to dpkg" >&2; left=1; }
[ $left -eq 0 ] && echo "nothing of the package is left"
exit $left
