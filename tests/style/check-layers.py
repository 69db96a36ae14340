#!/usr/bin/env python3
"""Fails when a folder of src/ includes a folder above it.

The folders stand in the order of src/LAYERS, lowest first; a folder may include its own files
and those of any folder below it, never one above (a folder's model/ counts as the folder).
main.cpp sits on top. Every way of naming a file counts: "folder/…", <folder/…> and a relative
"../…" path, which is read from the including file's own folder. A folder of src/ missing from
the order fails too, and so does a README.md whose layout line shows another order.

Usage: check-layers.py [SRC_DIR]     (README.md is looked for beside SRC_DIR)
       check-layers.py --self-test   (plants each fault in a scratch tree and expects it found)
"""
import os
import re
import sys
import tempfile

INCLUDE = re.compile(r'\s*#\s*include\s*([<"])([^>"]+)[>"]')
README_LINE = re.compile(r"stand in one order, lowest first[^:]*: (`[^.]*`)\.")


def read_layers(src):
    path = os.path.join(src, "LAYERS")
    with open(path, encoding="utf-8") as f:
        names = [line.split("#", 1)[0].strip() for line in f]
    return [n for n in names if n]


def readme_order(layers):
    return " < ".join(f"`{name}`" for name in layers)


def included_folder(src, file, quote, target):
    """The folder of src/ an include names, "outside src/", or None (a library header, a file of
    its own folder). A path with "." or ".." in it is resolved as the compiler does: a quoted one
    from the including file's folder when the file is there, else from src/."""
    parts = target.split("/")
    if "." not in parts and ".." not in parts:
        return parts[0] if len(parts) > 1 else None
    resolved = os.path.normpath(os.path.join(src, target))
    if quote == '"':
        beside = os.path.normpath(os.path.join(os.path.dirname(file), target))
        if os.path.exists(beside):
            resolved = beside
    rel = os.path.relpath(resolved, src)
    if rel.startswith(".."):
        return "outside src/"
    return rel.split(os.sep)[0] if os.sep in rel else None


def check(src, readme=None):
    problems = []
    layers = read_layers(src)
    rank = {name: i for i, name in enumerate(layers)}
    for folder in sorted(os.listdir(src)):
        path = os.path.join(src, folder)
        if not os.path.isdir(path):
            continue
        if folder not in rank:
            problems.append(f"src/{folder}: a folder without a place in the layer order; add it to src/LAYERS")
            continue
        for dirpath, _, files in os.walk(path):
            for name in sorted(files):
                if not name.endswith((".h", ".cpp")):
                    continue
                file = os.path.join(dirpath, name)
                rel = os.path.relpath(file, os.path.join(src, ".."))
                with open(file, encoding="utf-8", errors="replace") as f:
                    for number, line in enumerate(f, 1):
                        m = INCLUDE.match(line)
                        if not m:
                            continue
                        target = included_folder(src, file, m.group(1), m.group(2))
                        if target == "outside src/":
                            problems.append(f"{rel}:{number}: {folder} includes {m.group(2)}, outside src/")
                        elif target in rank and rank[target] > rank[folder]:
                            problems.append(f"{rel}:{number}: {folder} includes {target}, a folder above it")
    if readme is None:
        readme = os.path.join(src, "..", "README.md")
    if os.path.exists(readme):
        with open(readme, encoding="utf-8") as f:
            text = " ".join(f.read().split())
        shown = README_LINE.search(text)
        want = readme_order(layers)
        if not shown:
            problems.append('README.md: no line saying the folders "stand in one order, lowest first: …"')
        elif shown.group(1) != want:
            problems.append(f"README.md: the layout line shows {shown.group(1)}; src/LAYERS says {want}")
    return layers, problems


def self_test():
    """Plants each fault the check exists for in a scratch tree and expects it reported."""
    def tree(root, files):
        for name, text in files.items():
            path = os.path.join(root, name)
            os.makedirs(os.path.dirname(path), exist_ok=True)
            with open(path, "w", encoding="utf-8") as f:
                f.write(text)

    base = {
        "src/LAYERS": "# order\nlow\nhigh\n",
        "src/low/A.h": '#pragma once\n#include "low/model/B.h"\n#include <QString>\n',
        "src/low/model/B.h": "#pragma once\n",
        "src/high/C.h": "#pragma once\n",
        "src/high/C.cpp": '#include "low/A.h"\n#include "../low/A.h"\n#include <low/A.h>\n#include "C.h"\n'
        '#include "model/../../low/A.h"\n',
        "tests/X.h": "#pragma once\n",
        "README.md": "The folders of `src/` stand in one order, lowest first: `low` <\n`high`. More text.\n",
    }
    faults = {
        "a quoted upward include": ("src/low/D.cpp", '#include "high/C.h"\n'),
        "an angle-bracket upward include": ("src/low/D.cpp", "#include <high/C.h>\n"),
        "a relative upward include": ("src/low/model/D.cpp", '#include "../../high/C.h"\n'),
        "an upward include through a folder": ("src/low/D.cpp", '#include "model/../../high/C.h"\n'),
        "an upward include through its own folder": ("src/low/D.cpp", '#include "low/../high/C.h"\n'),
        "an include out of src/": ("src/low/D.cpp", '#include "../../tests/X.h"\n'),
        "a folder missing from the order": ("src/stray/E.h", "#pragma once\n"),
        "a README showing another order": ("README.md", "The folders stand in one order, lowest first: `high` < `low`.\n"),
        "a README without the order": ("README.md", "Nothing about folders.\n"),
    }
    failures = []
    with tempfile.TemporaryDirectory() as root:
        tree(root, base)
        _, problems = check(os.path.join(root, "src"))
        if problems:
            failures.append(f"the clean tree: {problems}")
    for what, (name, text) in faults.items():
        with tempfile.TemporaryDirectory() as root:
            tree(root, {**base, name: text})
            _, problems = check(os.path.join(root, "src"))
            if not problems:
                failures.append(f"{what} ({name}) went unnoticed")
    for f in failures:
        print(f)
    print(f"self-test: {len(faults)} planted faults" + (", some missed" if failures else ", each found"))
    return 1 if failures else 0


def main():
    if sys.argv[1:] == ["--self-test"]:
        return self_test()
    src = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "..", "src")
    layers, problems = check(os.path.abspath(src))
    for p in problems:
        print(p)
    print("layers: " + " < ".join(layers))
    print(f"{len(problems)} problems" if problems else "no upward include")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
