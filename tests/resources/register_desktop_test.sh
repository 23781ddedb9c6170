#!/usr/bin/env bash
# install-desktop.sh writes a menu entry whose Exec names the program exactly, even in a folder whose
# name holds blanks, quotes, backslashes, dollars and percent signs, puts the icons into the user's
# hicolor theme, touches nothing in the program's folder, and --remove takes it all away again.
set -euo pipefail
script="$1"
here="$(cd "$(dirname "$0")" && pwd)"
res="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

folder="$work/My Shop \"2026\" \$HOME \`id\` 100% a\\b"
mkdir -p "$folder/desktop/icons"
printf '#!/bin/sh\n' >"$folder/Tallywick"
chmod +x "$folder/Tallywick"
cp "$res/tallywick.desktop" "$res/tallywick.svg" "$folder/desktop/"
cp "$res"/icons/tallywick-*.png "$folder/desktop/icons/"
before="$(cd "$folder" && find . -printf '%p %s %T@\n' | sort)"

export HOME="$work/home"
unset XDG_DATA_HOME
mkdir -p "$HOME"
"$script" "$folder" >/dev/null

entry="$HOME/.local/share/applications/tallywick.desktop"
[ -f "$entry" ] || fail "no entry written"
if command -v desktop-file-validate >/dev/null 2>&1; then
    desktop-file-validate "$entry" || fail "written entry does not validate"
fi
args="$(python3 "$here/exec_line.py" "$entry")"
[ "$args" = "$folder/Tallywick" ] || fail "Exec reads as [$args], not [$folder/Tallywick]"
grep -qx 'Icon=tallywick' "$entry" || fail "Icon changed"
[ "$(grep -c '^Exec=' "$entry")" = 1 ] || fail "more than one Exec line"
for s in 16 24 32 48 64 72 96 128; do
    cmp -s "$res/icons/tallywick-$s.png" "$HOME/.local/share/icons/hicolor/${s}x${s}/apps/tallywick.png" ||
        fail "icon $s missing"
done
cmp -s "$res/tallywick.svg" "$HOME/.local/share/icons/hicolor/scalable/apps/tallywick.svg" || fail "svg missing"
[ "$before" = "$(cd "$folder" && find . -printf '%p %s %T@\n' | sort)" ] || fail "the program's folder changed"

# Registering again replaces the entry with an equal one.
cp "$entry" "$work/first.desktop"
"$script" "$folder" >/dev/null
cmp -s "$entry" "$work/first.desktop" || fail "a second run wrote another entry"

# XDG_DATA_HOME, when absolute, is where the entry goes.
XDG_DATA_HOME="$work/xdg" "$script" "$folder" >/dev/null
[ -f "$work/xdg/applications/tallywick.desktop" ] || fail "XDG_DATA_HOME ignored"

# A folder without the program is refused, and nothing is written.
mkdir -p "$work/empty"
if XDG_DATA_HOME="$work/xdg2" "$script" "$work/empty" 2>/dev/null; then
    fail "a folder without Tallywick was accepted"
fi
[ ! -e "$work/xdg2/applications/tallywick.desktop" ] || fail "an entry was written for an empty folder"

"$script" --remove >/dev/null
[ ! -e "$entry" ] || fail "--remove left the entry"
[ -z "$(find "$HOME/.local/share/icons" -name 'tallywick.*')" ] || fail "--remove left icons"
[ -x "$folder/Tallywick" ] || fail "--remove touched the program"
echo "registration works"
