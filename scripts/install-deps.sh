#!/usr/bin/env bash
# install-deps.sh [run]
# Installs the Debian packages Drevkalk needs: with "run" those that building and
# starting the program need, otherwise also everything the tests, the package and the
# benchmarks need. Does nothing when every package is already there. Needs nothing but
# the base system: make and the compiler are among what it installs.
set -euo pipefail

packages=(
    make cmake g++ pkg-config libgtest-dev
    qt6-base-dev qt6-base-dev-tools libgl-dev
    fonts-liberation qt6-translations-l10n qt6-wayland
)
if [ "${1:-}" != run ]; then
    packages+=(
        locales qt6-qpa-plugins
        clang libclang-rt-dev clang-tidy clang-format libbenchmark-dev
        xvfb weston
        desktop-file-utils appstream dpkg-dev file debhelper devscripts lintian
        # dpkg-buildpackage refuses to build without it, whatever Build-Depends says
        build-essential
    )
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null ||
        { echo "install-deps.sh: installing these needs root: run it as root, or install sudo" >&2; exit 1; }
    sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
