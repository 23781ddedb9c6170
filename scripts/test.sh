#!/usr/bin/env bash
# Builds Tallywick and runs every test headless.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test
scripts/build.sh
# A short fuzzing run of the readers of outside input.
scripts/fuzz.sh 30
export QT_QPA_PLATFORM=offscreen
unset QT_QPA_PLATFORMTHEME
ctest --test-dir build --output-on-failure -j"$(nproc)"
