#!/usr/bin/env python3
"""Every message name, message number, timer id and registry value name is
named once, in its catalogue: this lists any product source that spells one
of them as a literal again. Exit 1 when it finds one."""
import pathlib
import re
import sys

root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).resolve().parent.parent)
catalogues = {
    root / "hwaccess/MessageCatalogue.h",
    root / "hwaccess/SettingNames.h",
    root / "tray/TimerIds.h",
    root / "osd/OsdTimerIds.h",
    root / "meter/MeterTimerIds.h",
}
product_folders = ["hwaccess", "framework", "tray", "keyhook", "tools", "battery", "radio",
                   "launchbutton", "tiles", "osd", "power", "devices", "meter"]

names = set()
for catalogue in [root / "hwaccess/MessageCatalogue.h", root / "hwaccess/SettingNames.h"]:
    names.update(re.findall(r'\[\]\s*=\s*L"([^"]+)"', catalogue.read_text(encoding="utf-8")))

numbers = set()
for timer_catalogue in ["tray/TimerIds.h", "osd/OsdTimerIds.h", "meter/MeterTimerIds.h"]:
    timers = (root / timer_catalogue).read_text(encoding="utf-8")
    # Ids below 1000 (a display's close timer is 1) are too common to search for.
    numbers.update(n for n in (int(v, 0) for v in re.findall(r"=\s*(0x[0-9A-Fa-f]+|\d+)\s*,", timers)) if n >= 1000)
messages = (root / "hwaccess/MessageCatalogue.h").read_text(encoding="utf-8")
numbers.update(int(v, 0) for v in re.findall(r"UINT k\w+ = (0x[0-9A-Fa-f]+);", messages))
window_messages = re.findall(r"UINT k\w+ = WM_APP \+ (0x[0-9A-Fa-f]+);", messages)

def product_sources():
    for folder in product_folders:
        base = root / folder
        if not base.is_dir():
            continue
        for path in sorted(base.rglob("*")):
            if path.suffix not in (".cpp", ".h") or path in catalogues:
                continue
            parts = set(path.relative_to(root).parts)
            if parts & {"tests", "bench", "tour"}:
                continue
            yield path

def strip_comments(text):
    return re.sub(r"//[^\n]*|/\*.*?\*/", "", text, flags=re.S)

# The program's own name is also the window framework's registry key name.
names.discard("Tavrin")

problems = []
for path in product_sources():
    code = strip_comments(path.read_text(encoding="utf-8", errors="replace"))
    for literal in re.findall(r'L"((?:[^"\\]|\\.)*)"', code):
        if literal in names:
            problems.append(f"{path.relative_to(root)}: \"{literal}\" is named in its catalogue")
    if path.relative_to(root).parts[0] in ("tray", "osd"):
        for token in re.findall(r"\b(0x[0-9A-Fa-f]+|\d{4,5})\b", code):
            if int(token, 0) in numbers:
                problems.append(f"{path.relative_to(root)}: {token} is a catalogued timer or message number")
        for offset in window_messages:
            if re.search(r"WM_APP\s*\+\s*" + offset + r"\b", code):
                problems.append(f"{path.relative_to(root)}: WM_APP + {offset} is a catalogued message")

for problem in problems:
    print(problem)
print(f"catalogue check: {len(names)} names and {len(numbers) + len(window_messages)} numbers, "
      f"{len(problems)} literal{'s' if len(problems) != 1 else ''} outside their catalogue")
sys.exit(1 if problems else 0)
