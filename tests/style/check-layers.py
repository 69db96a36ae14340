#!/usr/bin/env python3
"""Fails when a folder of src/ includes a folder above it.

The folders stand in one order, lowest first; a folder may include its own files and those of
any folder below it, never one above (a folder's model/ counts as the folder). main.cpp sits on
top. Usage: check-layers.py [SRC_DIR]
"""
import os
import re
import sys

LAYERS = ["data", "backup", "sheets", "kit", "recovery", "print", "history", "registry", "books", "app"]
INCLUDE = re.compile(r'\s*#\s*include\s+"([^/"]+)/')

root = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "..", "src")
rank = {name: i for i, name in enumerate(LAYERS)}
problems = []
for folder in sorted(os.listdir(root)):
    path = os.path.join(root, folder)
    if not os.path.isdir(path):
        continue
    if folder not in rank:
        problems.append(f"src/{folder}: a folder without a place in the layer order; add it to {__file__}")
        continue
    for dirpath, _, files in os.walk(path):
        for name in sorted(files):
            if not name.endswith((".h", ".cpp")):
                continue
            file = os.path.join(dirpath, name)
            with open(file, encoding="utf-8", errors="replace") as f:
                for number, line in enumerate(f, 1):
                    m = INCLUDE.match(line)
                    if m and m.group(1) in rank and rank[m.group(1)] > rank[folder]:
                        rel = os.path.relpath(file, os.path.join(root, ".."))
                        problems.append(f"{rel}:{number}: {folder} includes {m.group(1)}, a folder above it")
for p in problems:
    print(p)
print("layers: " + " < ".join(LAYERS))
print(f"{len(problems)} upward includes" if problems else "no upward include")
sys.exit(1 if problems else 0)
