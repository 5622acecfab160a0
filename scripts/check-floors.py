#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later

"""Checks that includes between the folders of src/ never run upward.

The folders of src/ stand on floors; a file may include files of its own floor and of the
floors below it, never of a floor above, and nothing under src/ includes tools/. Prints every
upward include and exits 1 when there is one; --count prints only the counts.

    scripts/check-floors.py [--count] [SRC_DIR]
"""
import re
import sys
from pathlib import Path

# Lowest first. A folder of src/ that is not listed here is an error, so a new folder has to be
# given its floor.
FLOORS = [
    ["platform"],                                 # the seams: timers, dialogs, player, files
    ["base"],                                     # paths, INI files, state, category, statistics
    ["art", "bank", "catalogue", "history"],      # pictures; bank files, import; answer history
    ["widgets"],                                  # presentation components
    ["learn", "exam", "results", "library", "dialogs", "progress"],  # the areas
    ["app"],                                      # the shell: main window, menu, start page
]
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"', re.M)


def main(argv):
    count_only = "--count" in argv
    args = [a for a in argv if a != "--count"]
    src = Path(args[0] if args else Path(__file__).resolve().parent.parent / "src")
    floor = {f: i for i, names in enumerate(FLOORS) for f in names}
    upward, arrows, problems = [], set(), []
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".h", ".cpp") or not path.is_file():
            continue
        rel = path.relative_to(src)
        if len(rel.parts) < 2:
            continue
        here = rel.parts[0]
        if here not in floor:
            problems.append(f"{rel}: folder {here}/ has no floor in {Path(__file__).name}")
            continue
        text = path.read_text(encoding="utf-8", errors="replace")
        for n, name in enumerate(INCLUDE.findall(text)):
            parts = name.split("/")
            if len(parts) < 2:
                continue
            there = parts[0]
            if there == "tools" or name.startswith("../") or (
                    there in floor and not (src / name).is_file()):
                problems.append(f"{rel}: includes {name}, which is not under src/")
            elif there in floor and floor[there] > floor[here]:
                upward.append(f"{rel}: includes {name} ({here}/ is below {there}/)")
                arrows.add((here, there))
    if count_only:
        print(f"upward include lines: {len(upward)}")
        print(f"upward folder arrows: {len(arrows)} {sorted(arrows)}")
        print(f"other problems: {len(problems)}")
        return 0
    for line in upward + problems:
        print(line)
    if upward or problems:
        print(f"{len(upward)} upward includes, {len(problems)} other problems", file=sys.stderr)
        return 1
    print("includes run downward only")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
