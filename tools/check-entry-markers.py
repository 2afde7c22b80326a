#!/usr/bin/env python3
"""Fails when code outside src/journal and src/base holds a marker of an
entry line ("s=", ", d=", "Gewicht=", " den", ...) in a string literal: such
a line is read by the journal alone, and every other folder takes its parsed
value. Tests and benchmarks keep whole entry lines as their data, and are
not looked at.

Usage: check-entry-markers.py SOURCE_DIR
"""
import re
import sys

import source_rules

EXEMPT = {"journal", "base"}
SKIPPED_PARTS = {"tests", "benchmarks"}

# An ordinary or a UTF-16 literal on one line; raw strings (the chart
# templates) are cut out before, their text is a page and not a line.
LITERAL = re.compile(r'(?:u8|u|U|L)?"((?:[^"\\\n]|\\.)*)"')
RAW = re.compile(r'R"([^(\s]*)\((.*?)\)\1"', re.S)
LINE_COMMENT = re.compile(r"//[^\n]*")
BLOCK_COMMENT = re.compile(r"/\*.*?\*/", re.S)

# A value marker standing at the start of the literal or after a blank or a
# comma ("s=", " s=", ", d=", "Z=08"), the weight marker anywhere, and "den"
# alone or after a slot ("den", " den ", "Morgens den "). "Datum=", "id=" or
# the word in a message ("mit den Pfeiltasten") are none.
MARKER = re.compile(
    r"(?:^|[ ,\t])(?:s|d|p|Z)=|Gewicht=|^\s*den\s*$|(?:Morgens|Messung\d|Abends?)\s+den\b"
)


def without_comments_and_raw(text):
    text = RAW.sub('""', text)
    out = []
    # Comments are dropped only outside literals: "http://" stays.
    for line in text.split("\n"):
        stripped = line.lstrip()
        if stripped.startswith("//") or stripped.startswith("*"):
            out.append("")
            continue
        cut = len(line)
        in_literal = False
        i = 0
        while i < len(line):
            c = line[i]
            if in_literal:
                if c == "\\":
                    i += 1
                elif c == '"':
                    in_literal = False
            elif c == '"':
                in_literal = True
            elif c == "'" and i + 2 < len(line):
                # A character literal: '"' must not open a string.
                end = line.find("'", i + 1 + (line[i + 1] == "\\"))
                if end > 0:
                    i = end
            elif line.startswith("//", i):
                cut = i
                break
            i += 1
        out.append(line[:cut])
    return BLOCK_COMMENT.sub("", "\n".join(out))


def faults_in(path, relative):
    text = without_comments_and_raw(path.read_text(encoding="utf-8", errors="replace"))
    found = []
    for number, line in enumerate(text.split("\n"), start=1):
        for literal in LITERAL.finditer(line):
            if MARKER.search(literal.group(1)):
                found.append(f"{relative}:{number}: \"{literal.group(1)}\"")
    return found


def looked_at(relative):
    return relative.parts[0] not in EXEMPT and not SKIPPED_PARTS & set(relative.parts)


def main():
    return source_rules.run(sys.argv[1], looked_at, faults_in,
                            "Entry-line markers outside src/journal and src/base:")


if __name__ == "__main__":
    sys.exit(main())
