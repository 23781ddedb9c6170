#!/usr/bin/env bash
# Registers Tallywick in the desktop's application menu for the current user: a tallywick.desktop entry
# that starts the program in its portable folder, and the icons in the hicolor theme. Nothing outside
# the user's own data folder (~/.local/share, or $XDG_DATA_HOME) is touched, the program's folder included.
#
# Usage: install-desktop.sh [FOLDER]   FOLDER is the folder made by "cmake --install build --prefix FOLDER";
#                                      without it, the folder this script lies in.
#        install-desktop.sh --remove   takes the entry and the icons away again.
set -euo pipefail

sizes=(16 24 32 48 64 72 96 128)

fail() {
    echo "install-desktop.sh: $*" >&2
    exit 1
}

data_home="${XDG_DATA_HOME:-}"
# A relative XDG_DATA_HOME is invalid and must be ignored.
if [[ "$data_home" != /* ]]; then
    [ -n "${HOME:-}" ] || fail "HOME is not set"
    data_home="$HOME/.local/share"
fi
apps="$data_home/applications"
icons="$data_home/icons/hicolor"
entry="$apps/tallywick.desktop"

refresh() {
    # Menus and icon lookups notice new files by these; both tools are optional.
    if command -v update-desktop-database >/dev/null 2>&1; then
        update-desktop-database -q "$apps" 2>/dev/null || true
    fi
    touch "$icons" 2>/dev/null || true
    if [ -e "$icons/icon-theme.cache" ] && command -v gtk-update-icon-cache >/dev/null 2>&1; then
        gtk-update-icon-cache -q -t -f "$icons" 2>/dev/null || true
    fi
}

if [ "${1:-}" = "--remove" ]; then
    rm -f "$entry" "$icons/scalable/apps/tallywick.svg"
    for s in "${sizes[@]}"; do
        rm -f "$icons/${s}x${s}/apps/tallywick.png"
    done
    refresh
    echo "Removed the Tallywick menu entry and icons."
    exit 0
fi
[ $# -le 1 ] || fail "usage: install-desktop.sh [FOLDER] | --remove"

folder="${1:-$(dirname -- "${BASH_SOURCE[0]}")}"
[ -d "$folder" ] || fail "no such folder: $folder"
folder="$(CDPATH='' cd -- "$folder" && pwd -P)"
program="$folder/Tallywick"
shared="$folder/desktop"
[ -x "$program" ] || fail "$folder holds no Tallywick program; install it there first with: cmake --install build --prefix $folder"
[ -f "$shared/tallywick.desktop" ] || fail "$shared/tallywick.desktop is missing"
case "$folder" in
*$'\n'* | *$'\r'* | *$'\t'*) fail "the folder's name holds a line break or tab, which a menu entry cannot name" ;;
esac

# A value of type string escapes the backslash (freedesktop.org desktop entry rules, "Possible value types").
string_value() {
    local v="${1//\\/\\\\}"
    printf '%s' "$v"
}
# An Exec argument: quoted, with ", `, $ and \ escaped inside the quotes and % doubled; the string
# escaping then doubles every backslash again.
exec_argument() {
    local v="$1"
    v="${v//\\/\\\\}"
    v="${v//\"/\\\"}"
    v="${v//\`/\\\`}"
    v="${v//\$/\\\$}"
    v="${v//%/%%}"
    printf '"%s"' "$(string_value "$v")"
}

mkdir -p "$apps"
tmp="$(mktemp "$apps/.tallywick.desktop.XXXXXX")"
trap 'rm -f "$tmp"' EXIT
while IFS= read -r line || [ -n "$line" ]; do
    case "$line" in
    Exec=* | TryExec=* | Path=*) ;;
    *) printf '%s\n' "$line" ;;
    esac
    # The program's own lines follow the entry's Type line.
    if [ "$line" = "Type=Application" ]; then
        printf 'TryExec=%s\n' "$(string_value "$program")"
        printf 'Exec=%s\n' "$(exec_argument "$program")"
        printf 'Path=%s\n' "$(string_value "$folder")"
    fi
done <"$shared/tallywick.desktop" >"$tmp"
grep -q '^Exec=' "$tmp" || fail "$shared/tallywick.desktop has no Type=Application line"
chmod 644 "$tmp"
mv -f "$tmp" "$entry"
trap - EXIT

for s in "${sizes[@]}"; do
    png="$shared/icons/tallywick-$s.png"
    [ -f "$png" ] || fail "$png is missing"
    install -D -m 644 "$png" "$icons/${s}x${s}/apps/tallywick.png"
done
install -D -m 644 "$shared/tallywick.svg" "$icons/scalable/apps/tallywick.svg"
refresh
echo "Tallywick is in the application menu; it starts $program"
