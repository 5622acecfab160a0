#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later

# Draws the frames of every film with wirtal-art and encodes them with ffmpeg into
# data/media/films/film_<name>.wmv (ASF with WMV2 video, 480 x 360). The films are committed, so
# neither the build nor the program needs ffmpeg; run this after changing a film's script.
#   scripts/make-films.sh [BUILD_DIR] [FILM...]
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build}
shift || true
art="$build/tools/art/wirtal-art"
[ -x "$art" ] || { echo "Build wirtal-art first: cmake --build $build --target wirtal-art" >&2; exit 1; }
command -v ffmpeg >/dev/null || { echo "ffmpeg is needed to encode the films." >&2; exit 1; }
out="$top/data/media/films"
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
limit=300000
if [ $# -gt 0 ]; then names=("$@"); else mapfile -t names < <("$art" films | cut -d' ' -f1); fi
for name in "${names[@]}"; do
  rm -rf "${work:?}/$name"
  "$art" frames "$name" "$work/$name" 2>/dev/null
  file="$out/film_$name.wmv"
  # Lower the bit rate until the film fits in the size limit.
  for rate in 320k 240k 180k 130k; do
    ffmpeg -loglevel error -y -framerate 12 -i "$work/$name/%04d.png" -c:v wmv2 -b:v "$rate" \
           -g 24 -pix_fmt yuv420p -s 480x360 -f asf "$file"
    [ "$(stat -c %s "$file")" -le "$limit" ] && break
  done
  printf '%-28s %6d bytes\n' "$(basename "$file")" "$(stat -c %s "$file")"
done
