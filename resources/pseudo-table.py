#!/usr/bin/env python3
"""Writes the test builds' pseudo-language table from a program's English one.

Every text is lengthened by about 40 % and marked at both ends, so that a text
cut off by its control, or one the program forgot to take from its table,
shows at a glance: "Battery Meter" becomes "[!! Ɓåţţéŕý Ṁéţéŕ ······!!]".
Escapes (\\n, \\r, \\t, ""), format placeholders (%d, %ls, %1, %%) and the
mnemonic "&" with its letter are kept as they are.

usage: pseudo-table.py ENGLISH_RC HEADER_NAME OUTPUT_RC
"""
import re
import sys

# The Windows pseudo-locale qps-ploc (0x0501) as primary and sub-language.
LANGUAGE_LINE = "LANGUAGE 0x101, 0x1"

# Letters with marks from Latin-1 and Latin Extended-A only, which the
# caption and dialog fonts of every system carry.
ACCENTED = dict(zip(
    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ",
    "åbçđéƒĝĥíĵķĺmñöþqŕšţüvŵxýžÅBÇĐÉFĜĤÍĴĶĹMÑÖÞQŔŠŢÜVŴXÝŽ"))

ENTRY = re.compile(r'^\s*(\w+)\s+"((?:[^"]|"")*)"\s*$')
# Kept verbatim: escapes, doubled quotes, placeholders, a mnemonic with its letter.
KEPT = re.compile(r'\\[nrt\\]|""|%%|%l?[dsu]|%[0-9]+|&.')
PAD = "·"


def visible_length(text):
    return len(KEPT.sub("x", text))


def pseudo(text):
    out = []
    pos = 0
    for match in KEPT.finditer(text):
        out.extend(ACCENTED.get(c, c) for c in text[pos:match.start()])
        out.append(match.group(0))
        pos = match.end()
    out.extend(ACCENTED.get(c, c) for c in text[pos:])
    padding = PAD * max(1, (visible_length(text) * 4 + 9) // 10 - 6)
    return "[!! " + "".join(out) + " " + padding + "!!]"


def main(argv):
    if len(argv) != 4:
        sys.stderr.write(__doc__)
        return 2
    english, header, output = argv[1:]
    entries = []
    with open(english, encoding="utf-8") as source:
        for line in source:
            match = ENTRY.match(line)
            if match and match.group(1) != "LANGUAGE":
                entries.append((match.group(1), match.group(2)))
    if not entries:
        sys.stderr.write(f"pseudo-table: no texts in {english}\n")
        return 1
    lines = ["// Generated from " + english + " by pseudo-table.py; test builds only.",
             "#pragma code_page(65001)", "#include <winresrc.h>", f'#include "{header}"', "",
             LANGUAGE_LINE, "", "STRINGTABLE", "BEGIN"]
    lines += [f'    {name:<38} "{pseudo(text)}"' for name, text in entries]
    lines += ["END", ""]
    text = "\n".join(lines)
    try:
        with open(output, encoding="utf-8") as existing:
            if existing.read() == text:
                return 0
    except OSError:
        pass
    with open(output, "w", encoding="utf-8", newline="\n") as target:
        target.write(text)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
