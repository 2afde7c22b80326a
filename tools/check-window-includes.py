#!/usr/bin/env python3
"""Fails when code other than the main window's own files includes
"app/main_window.h": the commands and the other windows work through the
open month (storage/open_month.h) and what they are given, never through
the window. Tests and benchmarks drive the window, and are not looked at.

Usage: check-window-includes.py SOURCE_DIR
"""
import pathlib
import re
import sys

SKIPPED_PARTS = {"tests", "benchmarks"}
INCLUDE = re.compile(r'^\s*#\s*include\s*[<"]app/main_window\.h[>"]', re.M)


def allowed(relative):
    if SKIPPED_PARTS & set(relative.parts):
        return True
    if relative.parts[:1] != ("app",) or len(relative.parts) != 2:
        return False
    name = relative.name
    return name == "main.cpp" or (name.startswith("main_window") and name.endswith(".cpp"))


def main():
    source = pathlib.Path(sys.argv[1]).resolve() / "src"
    faults = []
    for path in sorted(source.rglob("*")):
        if path.suffix not in {".cpp", ".h"} or not path.is_file():
            continue
        relative = path.relative_to(source)
        if allowed(relative):
            continue
        if INCLUDE.search(path.read_text(encoding="utf-8", errors="replace")):
            faults.append(relative.as_posix())
    if faults:
        print('Files outside the main window that include "app/main_window.h":')
        print("\n".join("  src/" + fault for fault in faults))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
