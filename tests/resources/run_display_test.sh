#!/usr/bin/env bash
# scripts/run.sh without a display says so in one line and ends non-zero before it installs packages,
# configures or builds anything.
set -euo pipefail
run="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# A copy of the script in a tree of its own, where every tool it could start leaves a mark instead.
mkdir -p "$work/tree/scripts" "$work/bin"
cp "$run" "$work/tree/scripts/run.sh"
for tool in deps.sh build.sh; do
    printf '#!/bin/sh\ntouch "%s/ran-%s"\n' "$work" "$tool" >"$work/tree/scripts/$tool"
    chmod +x "$work/tree/scripts/$tool"
done
for tool in cmake apt-get sudo make ninja; do
    printf '#!/bin/sh\ntouch "%s/ran-%s"\nexit 1\n' "$work" "$tool" >"$work/bin/$tool"
    chmod +x "$work/bin/$tool"
done

try() { # NAME ENV... : runs the script with that environment and checks what a missing display must give
    local name="$1"
    shift
    local code=0
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM PATH="$work/bin:$PATH" HOME="$work/home" "$@" \
        bash "$work/tree/scripts/run.sh" >"$work/out" 2>"$work/err" || code=$?
    [ "$code" -ne 0 ] || fail "$name: exit code 0"
    [ ! -s "$work/out" ] || fail "$name: wrote to stdout: $(cat "$work/out")"
    [ "$(wc -l <"$work/err")" -eq 1 ] || fail "$name: not one line: $(cat "$work/err")"
    grep -q "display" "$work/err" || fail "$name: the line does not name the display: $(cat "$work/err")"
    if ls "$work"/ran-* >/dev/null 2>&1; then
        fail "$name: started $(ls "$work" | grep ran-) before the display check"
    fi
    [ ! -e "$work/tree/build-release" ] || fail "$name: made a build folder"
    [ ! -e "$work/home/Tallywick" ] || fail "$name: made the install folder"
}

try "nothing set"
try "empty DISPLAY" DISPLAY=
try "X display without a server" DISPLAY=:97
try "Wayland name without a socket" WAYLAND_DISPLAY=wayland-97 XDG_RUNTIME_DIR="$work"
echo "run.sh stops at once without a display"
