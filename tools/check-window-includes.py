#!/usr/bin/env python3
"""Fails when code other than the main window's own files includes
"app/main_window.h": the commands and the other windows work through the
open month (storage/open_month.h) and what they are given, never through
the window. Tests and benchmarks drive the window, and are not looked at.

Usage: check-window-includes.py SOURCE_DIR
"""
import re
import sys

import source_rules

SKIPPED_PARTS = {"tests", "benchmarks"}
INCLUDE = re.compile(r'^\s*#\s*include\s*[<"]app/main_window\.h[>"]', re.M)


def allowed(relative):
    if SKIPPED_PARTS & set(relative.parts):
        return True
    if relative.parts[:1] != ("app",) or len(relative.parts) != 2:
        return False
    name = relative.name
    return name == "main.cpp" or (name.startswith("main_window") and name.endswith(".cpp"))


def faults_in(path, relative):
    text = path.read_text(encoding="utf-8", errors="replace")
    return ["src/" + relative] if INCLUDE.search(text) else []


def main():
    return source_rules.run(sys.argv[1], lambda relative: not allowed(relative), faults_in,
                            'Files outside the main window that include "app/main_window.h":')


if __name__ == "__main__":
    sys.exit(main())
