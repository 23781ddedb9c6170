#!/usr/bin/env bash
# Builds Tallywick and starts it, with an empty data.mdb beside it the first time.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh build
scripts/build.sh
bin=build/bin
# Never touch a data.mdb that is already there: it holds the seller's orders.
if [ ! -e "$bin/data.mdb" ]; then
    "$bin/tallywick-mkstore" "$bin/data.mdb"
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "Tallywick needs a graphical display: no DISPLAY or WAYLAND_DISPLAY is set." >&2
    exit 1
fi
exec "$bin/Tallywick"
