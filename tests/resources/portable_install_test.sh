#!/usr/bin/env bash
# cmake --install makes a portable folder: the program, skin.she, the icons, the registration script and
# an empty data.mdb. Installing again, or over a folder whose data.mdb is a link, never replaces the
# seller's data.mdb.
set -euo pipefail
build="$1"
cmake="$2"
res="$3"
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
install_to() { "$cmake" --install "$build" --prefix "$1" >"$work/install.log" 2>&1 || { cat "$work/install.log"; fail "install into $1"; }; }

dir="$work/Portable Shop"
install_to "$dir"
[ -x "$dir/Tallywick" ] || fail "no program"
cmp -s "$res/skin.she" "$dir/skin.she" || fail "no skin.she"
[ -x "$dir/install-desktop.sh" ] || fail "no registration script"
[ "$(head -c 15 "$dir/data.mdb")" = "SQLite format 3" ] || fail "no empty data.mdb"
[ -f "$dir/desktop/tallywick.desktop" ] || fail "no desktop entry"
[ -f "$dir/desktop/tallywick.svg" ] || fail "no scalable icon"
for s in 16 24 32 48 64 72 96 128; do
    cmp -s "$res/icons/tallywick-$s.png" "$dir/desktop/icons/tallywick-$s.png" || fail "no $s pixel icon"
done

# The seller's orders survive a second install, to the byte and the modification time.
printf 'the seller orders' >>"$dir/data.mdb"
touch -d '2020-01-02 03:04:05' "$dir/data.mdb"
cp -p "$dir/data.mdb" "$work/kept"
install_to "$dir"
cmp -s "$dir/data.mdb" "$work/kept" || fail "data.mdb replaced"
[ "$(stat -c %Y "$dir/data.mdb")" = "$(stat -c %Y "$work/kept")" ] || fail "data.mdb rewritten"
grep -q 'Kept: ' "$work/install.log" || fail "the install did not say it kept data.mdb"

# A data.mdb that is a link to a store elsewhere (even one that is not there now) is left alone.
linked="$work/linked"
mkdir -p "$linked"
ln -s "$work/usb/data.mdb" "$linked/data.mdb"
install_to "$linked"
[ -L "$linked/data.mdb" ] || fail "the link was replaced"
[ ! -e "$work/usb/data.mdb" ] || fail "a store was written through the link"

# DESTDIR stages the folder elsewhere, with its own empty store, and writes nothing at the prefix itself.
existed="$([ -e /opt/tallywick ] && echo yes || echo no)"
DESTDIR="$work/stage" "$cmake" --install "$build" --prefix /opt/tallywick >"$work/install.log" 2>&1 ||
    { cat "$work/install.log"; fail "staged install"; }
[ -f "$work/stage/opt/tallywick/data.mdb" ] || fail "no store in the staged folder"
[ "$existed" = yes ] || [ ! -e /opt/tallywick ] || fail "wrote outside DESTDIR"

# The folder's own registration script points the menu entry at this folder.
HOME="$work/home" XDG_DATA_HOME="" "$dir/install-desktop.sh" >/dev/null
args="$(python3 "$here/exec_line.py" "$work/home/.local/share/applications/tallywick.desktop")"
[ "$args" = "$dir/Tallywick" ] || fail "Exec reads as [$args]"
echo "portable install works"
