#!/usr/bin/env python3
"""Checks that includes between the source folders point one way and that no headers include each other
in a circle.

Each folder has a level; a file may include its own folder and folders of a lower level only. The
store and what lies under it know nothing of how things are shown: they never include ui/Ui.h.
"""
import os
import re
import sys

LEVELS = {
    "platform": 0,
    "ui": 1,
    "settings": 2,
    "calendar": 3,
    "store": 4,
    "views": 5,
    "dialogs": 6,
    "calstore": 6,
    "app": 7,
    "qt": 8,
    "cli": 8,
    "remind": 8,
}
# Folders that may not show anything or ask anything, whatever their level.
QUIET = {"store", "settings"}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([a-z]+)/([^"]+)"', re.M)


def main(source):
    problems = []
    headers = {}
    for folder in sorted(os.listdir(source)):
        path = os.path.join(source, folder)
        if not os.path.isdir(path):
            continue
        if folder not in LEVELS:
            problems.append(f"{folder}/: a folder without a level")
            continue
        for name in sorted(os.listdir(path)):
            if not name.endswith((".h", ".cpp")):
                continue
            with open(os.path.join(path, name), encoding="utf-8") as file:
                text = file.read()
            includes = INCLUDE.findall(text)
            if name.endswith(".h"):
                headers[f"{folder}/{name}"] = [f"{f}/{n}" for f, n in includes]
            for other, header in includes:
                if other not in LEVELS:
                    continue
                if other != folder and LEVELS[other] >= LEVELS[folder]:
                    problems.append(f"{folder}/{name} includes {other}/{header}: {other} is not below {folder}")
                if folder in QUIET and f"{other}/{header}" == "ui/Ui.h":
                    problems.append(f"{folder}/{name} includes ui/Ui.h: {folder} shows and asks nothing")
    problems += circles(headers)
    for problem in problems:
        print(problem)
    return 1 if problems else 0


def circles(headers):
    found = []
    state = {}

    def visit(header, path):
        state[header] = "open"
        for included in headers.get(header, []):
            if state.get(included) == "open":
                cycle = path[path.index(included):] + [included]
                found.append("headers include each other: " + " -> ".join(cycle))
            elif included in headers and included not in state:
                visit(included, path + [included])
        state[header] = "done"

    for header in sorted(headers):
        if header not in state:
            visit(header, [header])
    return found


if __name__ == "__main__":
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else "src"))
