#!/usr/bin/env bash
# Installs every Debian package Kronvel needs to build, run and test. Safe to run again:
# packages already present are skipped, and the package lists are refreshed only when something is missing.
set -euo pipefail

packages=(
    build-essential cmake ninja-build ccache pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-webengine-dev qt6-webengine-dev-tools
    libqt6svg6 libgl-dev libxkbcommon-dev
    libpugixml-dev libxlsxwriter-dev libzip-dev
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    fonts-wine fonts-dejavu-core fonts-liberation2
    poppler-utils xlsx2csv docx2txt
    qt6-translations-l10n
    clang libclang-rt-dev
    xvfb xauth openbox xdotool x11-utils
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    SUDO=""
    [ "$(id -u)" -ne 0 ] && SUDO="sudo"
    export DEBIAN_FRONTEND=noninteractive
    $SUDO apt-get update -q
    $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
