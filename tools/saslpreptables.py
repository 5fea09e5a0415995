#!/usr/bin/env python3
"""Writes the character tables of SASLprep (RFC 4013 over the tables of RFC 3454) for the
password verifiers: src/store/SaslPrepTables.h. Run from the repository root:

    python3 tools/saslpreptables.py && clang-format -i src/store/SaslPrepTables.h

The tables are those of Unicode 3.2, which RFC 3454 fixes for good; they come from Python's own
`stringprep` module, which holds them as the RFC lists them. libpq prepares a password with
exactly these tables before it derives the SCRAM keys, so a verifier the program computes must
use them too, not the Unicode data of whatever Qt is installed.
"""

import pathlib
import stringprep

ROOT = pathlib.Path(__file__).resolve().parent.parent
TARGET = ROOT / "src/store/SaslPrepTables.h"

PROHIBITED = [
    stringprep.in_table_c12,  # non-ASCII spaces
    stringprep.in_table_c21,  # ASCII controls
    stringprep.in_table_c22,  # other controls
    stringprep.in_table_c3,  # private use
    stringprep.in_table_c4,  # non-characters
    stringprep.in_table_c5,  # surrogates
    stringprep.in_table_c6,  # inappropriate for plain text
    stringprep.in_table_c7,  # inappropriate for canonical representation
    stringprep.in_table_c8,  # change display properties, deprecated
    stringprep.in_table_c9,  # tagging
    stringprep.in_table_a1,  # unassigned in Unicode 3.2
]

TABLES = [
    ("kNonAsciiSpaces", "that become a space", stringprep.in_table_c12),
    ("kMappedToNothing", "that are dropped", stringprep.in_table_b1),
    ("kProhibited", "that leave a password unprepared (used as typed)",
     lambda ch: any(table(ch) for table in PROHIBITED)),
    ("kRandALCat", "written right to left", stringprep.in_table_d1),
    ("kLCat", "written left to right (never beside right-to-left ones)", stringprep.in_table_d2),
]


def ranges(member):
    found = []
    start = None
    for code in range(0x110000):
        inside = member(chr(code))
        if inside and start is None:
            start = code
        elif not inside and start is not None:
            found.append((start, code - 1))
            start = None
    if start is not None:
        found.append((start, 0x10FFFF))
    return found


def main():
    lines = [
        "#pragma once",
        "// Written by tools/saslpreptables.py: the character tables of SASLprep (Unicode 3.2).",
        "",
        "namespace SaslPrepTables {",
        "",
        "struct Range {",
        "    char32_t first;",
        "    char32_t last;",
        "};",
    ]
    for name, meaning, member in TABLES:
        found = ranges(member)
        lines += ["", f"// Characters {meaning}, in ascending order.",
                  f"inline constexpr Range {name}[] = {{"]
        row = []
        for first, last in found:
            row.append(f"{{0x{first:04X}, 0x{last:04X}}},")
            if len(row) == 5:
                lines.append("    " + " ".join(row))
                row = []
        if row:
            lines.append("    " + " ".join(row))
        lines.append("};")
    lines += ["", "} // namespace SaslPrepTables", ""]
    TARGET.write_text("\n".join(lines))


if __name__ == "__main__":
    main()
