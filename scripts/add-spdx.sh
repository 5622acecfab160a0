#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later

# Puts the SPDX licence line naming GPL-3.0-or-later at the top of every C++, CMake and script
# file of the repository that lacks it (after the #! line of a script), followed by a blank line.
# Running it again changes nothing. The demo content in data/ and the AppStream file have other
# licences; .reuse/dep5 names them (check with `reuse lint`).
#   scripts/add-spdx.sh           adds the line where it is missing, names each file changed
#   scripts/add-spdx.sh --check   changes nothing; lists the files without it, exit 1 if any
set -euo pipefail
cd "$(dirname "$0")/.."
check=false
case "${1:-}" in
  "") ;;
  --check) check=true ;;
  *) echo "usage: scripts/add-spdx.sh [--check]" >&2; exit 2 ;;
esac
# Spelled in two parts so that licence scanners do not take this script's text for its licence.
tag='SPDX-License'
id="$tag-Identifier: GPL-3.0-or-later"
missing=0
while IFS= read -r -d '' f; do
  [ -f "$f" ] && [ ! -L "$f" ] || continue
  # Already there (among the first lines): nothing to do.
  head -n 3 "$f" | grep -q "$tag-Identifier:" && continue
  case "$f" in
    *.cpp | *.h) line="// $id" ;;
    *) line="# $id" ;;
  esac
  missing=1
  if $check; then
    echo "$f"
    continue
  fi
  tmp="$f.spdx-tmp"
  if head -n 1 "$f" | grep -q '^#!'; then
    { head -n 1 "$f"; echo "$line"; echo; tail -n +2 "$f"; } >"$tmp"
  else
    { echo "$line"; echo; cat "$f"; } >"$tmp"
  fi
  chmod --reference="$f" "$tmp"
  mv "$tmp" "$f"
  echo "$f"
done < <(git ls-files -z -- '*.cpp' '*.h' 'CMakeLists.txt' '*.cmake' '*.sh' '*.py' '.ci/run')
if $check && [ "$missing" -eq 1 ]; then
  exit 1
fi
exit 0
