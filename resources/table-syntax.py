#!/usr/bin/env python3
"""Prints each given language file that the resource compiler can read, one per
line, and reports the others on stderr, so that one damaged file leaves the
build going (its language then misses, and the language tests say why).

Only the shape of the translators' layout is checked: a LANGUAGE statement,
one STRINGTABLE BEGIN ... END, and inside it comments and `ID "text"` lines
with their quotes closed, in UTF-8. The language tests check everything else.

usage: table-syntax.py FILE...
"""
import re
import sys

ENTRY = re.compile(r'^\s*[A-Za-z_]\w*\s+"(?:[^"]|"")*"\s*$')


def problem(path):
    try:
        with open(path, "rb") as source:
            data = source.read(1 << 20)
        text = data.decode("utf-8")
    except (OSError, UnicodeDecodeError) as error:
        return str(error)
    state = "head"
    for number, line in enumerate(text.split("\n"), 1):
        stripped = line.strip()
        if not stripped or stripped.startswith("//"):
            continue
        if state == "block":
            if stripped == "END":
                state = "done"
            elif not ENTRY.match(line):
                return f"line {number}: not an entry"
        elif state == "head" and stripped.startswith("LANGUAGE "):
            state = "language"
        elif state == "language" and stripped == "STRINGTABLE":
            state = "table"
        elif state == "table" and stripped == "BEGIN":
            state = "block"
        elif state == "head" and stripped.startswith("#"):
            continue
        else:
            return f"line {number}: unexpected"
    return None if state == "done" else "no complete LANGUAGE / STRINGTABLE BEGIN ... END"


def main(paths):
    for path in paths:
        why = problem(path)
        if why:
            sys.stderr.write(f"{path}: {why}; left out of the build\n")
        else:
            print(path)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
