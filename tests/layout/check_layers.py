#!/usr/bin/env python3
"""Checks that the source folders depend on each other in one direction.

Each folder of the program is a layer; a file may include headers of its own
layer and of the layers listed before it, never of one listed after it, but
for the exceptions named below (each with the reason it exists). An exception
that no include uses any more is reported too, so the list stays true.

Usage: check_layers.py [source root]   (prints the edges with -v)
"""
import os
import re
import sys
from collections import defaultdict

# Lowest first.
LAYERS = [
    "ui/core",
    "ui/graphics",
    "ui/controls",
    "ui/forms",
    "skin/format",
    "skin/draw",
    "skin/data",
    "skin/window",
    "skin/controls",
    "app",
]

# Includes that go up a layer, and why they may.
EXCEPTIONS = {
    ("ui/controls", "ui/forms"):
        "controls call on the application: a control's end is reported to it, errors stop at its "
        "handler (ErrorGuard), a button with a modal result closes its form, a popup menu opens on its form",
    ("skin/data", "skin/window"):
        "the skin data component a form carries creates and drives the skin manager",
}

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.M)


def layer_of(path):
    folder = os.path.dirname(path)
    for layer in sorted(LAYERS, key=len, reverse=True):
        if folder == layer or folder.startswith(layer + "/"):
            return layer
    return None


def edges(root):
    found = defaultdict(set)
    for top in ("ui", "skin", "app"):
        for folder, _, files in os.walk(os.path.join(root, top)):
            for name in files:
                if not name.endswith((".h", ".cpp")):
                    continue
                path = os.path.relpath(os.path.join(folder, name), root)
                source = layer_of(path)
                with open(os.path.join(root, path), encoding="utf-8") as f:
                    text = f.read()
                for header in INCLUDE.findall(text):
                    target = layer_of(header)
                    if source and target and target != source:
                        found[(source, target)].add(f"{path} -> {header}")
    return found


def main():
    args = [a for a in sys.argv[1:] if a != "-v"]
    root = args[0] if args else os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
    found = edges(root)
    failures = []
    for (source, target), includes in sorted(found.items()):
        upward = LAYERS.index(target) > LAYERS.index(source)
        if "-v" in sys.argv:
            mark = " (exception)" if upward and (source, target) in EXCEPTIONS else (" (UPWARD)" if upward else "")
            print(f"{source} -> {target}: {len(includes)}{mark}")
        if upward and (source, target) not in EXCEPTIONS:
            failures += [f"{source} must not include {target}: {i}" for i in sorted(includes)]
    for pair in EXCEPTIONS:
        if pair not in found:
            failures.append(f"the exception {pair[0]} -> {pair[1]} is no longer used: take it out of the list")
    for line in failures:
        print(line)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
