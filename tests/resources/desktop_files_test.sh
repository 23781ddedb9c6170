#!/usr/bin/env bash
# The shipped .desktop entry and AppStream metainfo pass their validators. Exit 77 (skipped) when
# neither validator is installed (desktop-file-utils, appstream).
set -euo pipefail
res="$1"
checked=0
if command -v desktop-file-validate >/dev/null 2>&1; then
    desktop-file-validate "$res/tallywick.desktop"
    checked=1
fi
if command -v appstreamcli >/dev/null 2>&1; then
    appstreamcli validate --no-net "$res/org.example.Tallywick.metainfo.xml"
    checked=1
fi
[ "$checked" = 1 ] || { echo "no validator installed"; exit 77; }
# The menu entry keeps the fields the program relies on.
grep -qx 'Name=Tallywick' "$res/tallywick.desktop"
grep -q '^Name\[zh_CN\]=' "$res/tallywick.desktop"
grep -qx 'Icon=tallywick' "$res/tallywick.desktop"
grep -qx 'Categories=Office;Finance;' "$res/tallywick.desktop"
grep -q '<launchable type="desktop-id">tallywick.desktop</launchable>' "$res/org.example.Tallywick.metainfo.xml"
echo "desktop files valid"
