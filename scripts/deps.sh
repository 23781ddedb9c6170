#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, only when some are missing.
# Usage: deps.sh build|test
set -euo pipefail

build_pkgs=(cmake g++ pkg-config qt6-base-dev qt6-base-dev-tools qt6-charts-dev qt6-translations-l10n libgl-dev
            libsqlite3-dev libxlsxwriter-dev mdbtools-dev libicu-dev libminizip-dev libfreexl-dev zlib1g-dev libgtest-dev googletest libbenchmark-dev fonts-noto-cjk)
test_pkgs=(python3 python3-openpyxl binutils-mingw-w64-x86-64 desktop-file-utils appstream clang libclang-rt-14-dev
           xauth xvfb librsvg2-bin mdbtools)

pkgs=("${build_pkgs[@]}")
if [ "${1:-build}" = test ]; then
    pkgs+=("${test_pkgs[@]}")
fi

missing=()
for p in "${pkgs[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
