#!/usr/bin/env python3
"""The layering check: the plug-in's folders depend on each other one way.

The folders stand in one order (LAYERS, the same as the table at the top of
docs/architecture.md); a source may include its own folder's headers and
those of the folders before it. A project include of a later folder fails
the check, named by file and line, unless ALLOWED lists it with its reason.
Where a lower folder must call a higher one, the lower one declares the
narrow interface and the higher one defines it, so the include runs down.

Usage: check_layering.py [--count]
  --count  prints how many includes run up, the allow-list not applied.
"""

import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# Lowest first.
LAYERS = [
    "platform", "res", "util", "frame", "hostui", "config", "link", "monitor",
    "target", "startup", "breaks", "events", "console", "plugin",
]

# (including file, included file, reason): the includes of a higher folder
# that the structure forces. Keep it short; every entry says why it stays.
ALLOWED = []

# Project folders that are not the plug-in's: its sources include none of them.
OUTSIDE = {"sim", "tests", "fuzz", "bench", "cmake", "data", "docs", "tools"}

INCLUDE = re.compile(r'^\s*#\s*include\s*"(([^"/]+)/[^"]*)"')
SOURCE = re.compile(r"\.(h|hpp|cpp|cc|inl)$")


def sources():
    for folder in LAYERS:
        top = os.path.join(ROOT, folder)
        for base, dirs, files in os.walk(top):
            dirs.sort()
            for name in sorted(files):
                if SOURCE.search(name):
                    yield os.path.relpath(os.path.join(base, name), ROOT).replace(os.sep, "/")


def includes(path):
    with open(os.path.join(ROOT, path), encoding="utf-8", errors="replace") as source:
        for number, line in enumerate(source, 1):
            match = INCLUDE.match(line)
            if match:
                yield number, match.group(1), match.group(2)


def unplaced_folders():
    """Top-level folders that add sources to the plug-in but stand nowhere in
    the order."""
    found = []
    for name in sorted(os.listdir(ROOT)):
        lists = os.path.join(ROOT, name, "CMakeLists.txt")
        if name not in LAYERS and name not in OUTSIDE and os.path.isfile(lists):
            with open(lists, encoding="utf-8") as text:
                if re.search(r"target_sources\(\s*q3vvk3_objects", text.read()):
                    found.append(name)
    return found


def documented_order():
    """The folders of the order table in docs/architecture.md, in order."""
    path = os.path.join(ROOT, "docs", "architecture.md")
    with open(path, encoding="utf-8") as text:
        doc = text.read()
    section = doc.split("## Layers", 1)[1].split("\n## ", 1)[0] if "## Layers" in doc else ""
    return re.findall(r"^\|\s*\d+\s*\|\s*`([a-z]+)/`", section, re.M)


def main():
    count_only = "--count" in sys.argv[1:]
    rank = {folder: index for index, folder in enumerate(LAYERS)}
    allowed = {(entry[0], entry[1]) for entry in ALLOWED}
    used = set()
    upward = 0
    failures = []
    for path in sources():
        own = path.split("/", 1)[0]
        for number, header, folder in includes(path):
            if folder in OUTSIDE:
                failures.append(f"{path}:{number}: includes {header}: {folder}/ is not part of the plug-in")
            elif folder in rank and rank[folder] > rank[own]:
                upward += 1
                if (path, header) in allowed:
                    used.add((path, header))
                else:
                    failures.append(f"{path}:{number}: includes {header}: {folder}/ lies above {own}/")
    if count_only:
        print(upward)
        return 0
    for entry in ALLOWED:
        if len(entry) < 3 or not entry[2].strip():
            failures.append(f"allow-list entry {entry[0]} -> {entry[1]} gives no reason")
        if (entry[0], entry[1]) not in used:
            failures.append(f"allow-list entry {entry[0]} -> {entry[1]} matches no include: remove it")
    for folder in unplaced_folders():
        failures.append(f"{folder}/ adds sources to the plug-in but has no place in the layer order")
    if documented_order() != LAYERS:
        failures.append("docs/architecture.md's layer table does not list the folders of LAYERS in their order")
    for failure in failures:
        print(failure, file=sys.stderr)
    if failures:
        print(f"layering check: {len(failures)} problem(s); the order is {' < '.join(LAYERS)}", file=sys.stderr)
        return 1
    print(f"layering check: {len(LAYERS)} folders one way, {len(used)} allowed include(s) up")
    return 0


if __name__ == "__main__":
    sys.exit(main())
