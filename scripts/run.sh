#!/usr/bin/env bash
# Builds Tallywick (Release, the program alone), installs it into a folder of its own and starts it there.
# Usage: run.sh [FOLDER]   FOLDER defaults to ~/Tallywick. The orders live in FOLDER/data.mdb: an
#                          installation never replaces it, so running this again updates the program only.
set -euo pipefail

# Without a display nothing can be shown: say so before installing or building anything.
display_problem() {
    if [ -n "${QT_QPA_PLATFORM:-}" ]; then
        return 0 # an explicit Qt platform (offscreen, vnc...) needs no display
    fi
    if [ -n "${WAYLAND_DISPLAY:-}" ]; then
        local socket="$WAYLAND_DISPLAY"
        [[ "$socket" == /* ]] || socket="${XDG_RUNTIME_DIR:-/nonexistent}/$socket"
        if [ -S "$socket" ] || [ -n "${DISPLAY:-}" ]; then
            return 0
        fi
        echo "Tallywick needs a graphical display: WAYLAND_DISPLAY=$WAYLAND_DISPLAY names no running display."
        return 1
    fi
    if [ -z "${DISPLAY:-}" ]; then
        echo "Tallywick needs a graphical display: no DISPLAY or WAYLAND_DISPLAY is set (start it inside a desktop session)."
        return 1
    fi
    # A local X display (":0", ":1.0") has its socket in /tmp/.X11-unix; remote ones cannot be checked here.
    if [[ "$DISPLAY" =~ ^(unix)?:([0-9]+)(\.[0-9]+)?$ ]] && [ ! -S "/tmp/.X11-unix/X${BASH_REMATCH[2]}" ]; then
        echo "Tallywick needs a graphical display: DISPLAY=$DISPLAY names no running X server."
        return 1
    fi
    return 0
}
if ! why="$(display_problem)"; then
    echo "$why" >&2
    exit 1
fi

[ $# -le 1 ] || { echo "usage: run.sh [FOLDER]" >&2; exit 2; }
folder="${1:-$HOME/Tallywick}"
mkdir -p -- "$folder"
folder="$(CDPATH='' cd -- "$folder" && pwd -P)"

cd "$(dirname "$0")/.."
scripts/deps.sh build
launcher=()
if command -v ccache >/dev/null 2>&1; then
    launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B build-release -DCMAKE_BUILD_TYPE=Release -DTALLYWICK_TESTS=OFF -DTALLYWICK_BENCH=OFF \
    "${launcher[@]}" >/dev/null
cmake --build build-release -j"$(nproc)" --target Tallywick tallywick-mkstore tallywick-jetread

# Earlier versions of this script kept the orders in build/bin/data.mdb: carry them over once.
if [ ! -e "$folder/data.mdb" ] && [ ! -L "$folder/data.mdb" ] && [ -f build/bin/data.mdb ]; then
    cp -p build/bin/data.mdb "$folder/data.mdb"
    echo "Copied the orders of build/bin/data.mdb to $folder/data.mdb"
fi
cmake --install build-release --prefix "$folder" >/dev/null
echo "Tallywick is installed in $folder; its orders are in $folder/data.mdb"
cd "$folder"
exec "$folder/Tallywick"
