#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Drevkalk need.
# Does nothing when every package is already there.
set -euo pipefail

packages=(
    cmake make g++ pkg-config locales
    qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev qt6-translations-l10n
    fonts-liberation
    libgtest-dev clang libclang-rt-dev clang-tidy
    libbenchmark-dev
    xvfb xdotool xclip x11-utils openbox
    desktop-file-utils appstream dpkg-dev file
)

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
    sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
