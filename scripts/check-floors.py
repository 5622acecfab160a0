#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later

"""Checks that includes between the folders of src/ never run upward.

src/core/ holds the folders without widgets, src/gui/ those with them; an include names a file
by its folder ("exam/testsheet.h"), found in src/core/ or src/gui/. The folders stand on floors;
a file may include files of its own floor and of the floors below it, never of a floor above, and
nothing under src/ includes tools/. Prints every upward include and exits 1 when there is one;
--count prints only the counts.

    scripts/check-floors.py [--count] [SRC_DIR]
"""
import re
import sys
from pathlib import Path

ROOTS = ("core", "gui")
# Lowest first. A folder of src/ that is not listed here is an error, so a new folder has to be
# given its floor.
FLOORS = [
    ["core/platform"],                           # the seams: timers, dialogs, player, files
    ["core/base"],                               # paths, INI files, state, category, statistics
    ["core/art", "core/bank", "core/catalogue",  # pictures; bank files, import; answer history;
     "core/history", "core/film"],               # what the film helper plays with
    ["core/learn", "core/exam", "core/results",  # the areas' logic
     "core/library", "core/dialogs", "core/progress"],
    ["gui/platform"],                            # the seams on Qt Widgets, Multimedia, Network
    ["gui/widgets"],                             # presentation components
    ["gui/startup", "gui/learn", "gui/exam",     # before the splash; the areas' pages
     "gui/results", "gui/library", "gui/dialogs", "gui/progress"],
    ["gui/app"],                                 # the shell: main window, menu, start page
]
INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"', re.M)


def main(argv):
    count_only = "--count" in argv
    args = [a for a in argv if a != "--count"]
    src = Path(args[0] if args else Path(__file__).resolve().parent.parent / "src")
    floor = {f: i for i, names in enumerate(FLOORS) for f in names}
    areas = {f.split("/")[1] for f in floor}
    upward, arrows, problems = [], set(), []
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".h", ".cpp") or not path.is_file():
            continue
        rel = path.relative_to(src)
        if len(rel.parts) < 3 or rel.parts[0] not in ROOTS:
            problems.append(f"{rel}: not in a folder of src/core/ or src/gui/")
            continue
        here = "/".join(rel.parts[:2])
        if here not in floor:
            problems.append(f"{rel}: folder {here}/ has no floor in {Path(__file__).name}")
            continue
        text = path.read_text(encoding="utf-8", errors="replace")
        for name in INCLUDE.findall(text):
            parts = name.split("/")
            if len(parts) < 2:
                continue
            homes = [f"{r}/{parts[0]}" for r in ROOTS if (src / r / name).is_file()]
            if parts[0] == "tools" or name.startswith("../") or (parts[0] in areas and not homes):
                problems.append(f"{rel}: includes {name}, which is not under src/")
                continue
            if not homes:
                continue
            there = homes[0]
            if len(homes) > 1:
                problems.append(f"{rel}: includes {name}, which both src/core/ and src/gui/ hold")
            elif there not in floor:
                problems.append(f"{rel}: includes {name} from {there}/, which has no floor")
            elif floor[there] > floor[here] or (here.startswith("core/") and there.startswith("gui/")):
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
