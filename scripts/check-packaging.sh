#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later

# Checks what the build made for installing, without building a package: the desktop entry
# (desktop-file-validate), the AppStream file (appstreamcli, offline; a warning or an error fails)
# and the manual pages (groff warnings fail, when man is installed).
#   scripts/check-packaging.sh BUILD/packaging
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: scripts/check-packaging.sh BUILD/packaging" >&2; exit 2; }
dir=$1
failed=0

entry="$dir/pl.norel.Wirtal.desktop"
out=$(desktop-file-validate "$entry" 2>&1) || failed=1
[ -z "$out" ] || { echo "$out"; failed=1; }
# No fixed folder (the program finds its own, so an installation may move), and the window's
# class ties it to the entry.
if grep -q '^Path=' "$entry"; then
  echo "$entry: names a folder (Path=)"; failed=1
fi
grep -qx 'StartupWMClass=wirtal' "$entry" || { echo "$entry: no StartupWMClass=wirtal"; failed=1; }

# Exit code 0 with infos and pedantic notes only; warnings and errors fail.
appstreamcli validate --no-net "$dir/pl.norel.Wirtal.metainfo.xml" || failed=1

if command -v man >/dev/null; then
  for page in "$dir"/man/*.1 "$dir"/man/*/*.1; do
    out=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null) || failed=1
    [ -z "$out" ] || { echo "$page: $out"; failed=1; }
  done
fi

if [ "$failed" -ne 0 ]; then
  echo "packaging: FAILED" >&2
  exit 1
fi
echo "packaging: the desktop entry, the AppStream file and the manual pages are valid"
