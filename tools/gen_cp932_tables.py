#!/usr/bin/env python3
# Writes src/text/cp932_tables.cpp, the committed CP932 tables of src/text/.
#
#   python3 tools/gen_cp932_tables.py            (from the repository root)
#   python3 tools/gen_cp932_tables.py -o FILE    (somewhere else)
#
# The data comes from Python's built-in 'cp932' codec, which follows
# Microsoft's mapping of Windows code page 932. The build never runs this
# script; it is kept to show, and to redo, where the tables came from.
#
# Decode tables (code page -> Unicode), exactly as the codec decodes:
#   kCp932SingleByteToUnicode[256]  the character of each single byte; 0 for
#                                   the lead bytes 0x81-0x9F and 0xE0-0xFC
#   kCp932DoubleByteToUnicode[60 * 189]
#                                   lead bytes 0x81-0x9F then 0xE0-0xFC, times
#                                   trail bytes 0x40-0xFC (0x7F included, always
#                                   0); 0 for a pair the code page leaves
#                                   undefined. The user-defined area
#                                   0xF040-0xF9FC (U+E000..) and the IBM
#                                   extensions 0xFA40-0xFC4B are included.
#
# Encode table (Unicode -> code page), UnicodeToSjisTable[0xA700]: entry c for
# U+0000..U+9FFF, entry c - 0x5900 for U+F900..U+FFFF; a single-byte code as
# its byte, a double-byte code as lead * 256 + trail, 0 for none. Rules:
#   * printable ASCII U+0020..U+007E maps to itself; the controls U+0000..U+001F,
#     U+007F and U+0080 have no code;
#   * U+00A5 -> 0x5C and U+203E -> 0x7E (beside U+005C and U+007E);
#   * U+FF61..U+FF9F -> 0xA1..0xDF;
#   * every character of a double-byte code in JIS rows 1 to 92 (lead bytes
#     0x81-0x9F, 0xE0-0xEE) gets the lowest code that decodes to it, so the
#     NEC special characters (0x87xx) and the NEC-selected IBM extensions
#     (0xED40-0xEEFC) are used, never the IBM extensions (0xFA40-0xFC4B);
#   * the best fits to the JIS X 0208 forms: U+00A2 -> 0x8191, U+00A3 -> 0x8192,
#     U+00AC -> 0x81CA, U+2016 -> 0x8161, U+2212 -> 0x817C, U+301C -> 0x8160;
#   * nothing else: no private-use character (user-defined area, U+F8F0..U+F8F3)
#     is mapped back.
# The script cross-checks the result against the codec's own encoder and stops
# if they differ anywhere but where these rules say they must.

import argparse
import os
import sys

CODEC = "cp932"
TABLE_SIZE = 0xA700
EXPECTED_MAPPED = 7492

LEADS = list(range(0x81, 0xA0)) + list(range(0xE0, 0xFD))
TRAIL_FIRST, TRAIL_LAST = 0x40, 0xFC
TRAIL_COUNT = TRAIL_LAST - TRAIL_FIRST + 1  # 189

BEST_FIT = {
    0x00A2: 0x8191,  # CENT SIGN -> FULLWIDTH CENT SIGN's code
    0x00A3: 0x8192,  # POUND SIGN
    0x00AC: 0x81CA,  # NOT SIGN
    0x2016: 0x8161,  # DOUBLE VERTICAL LINE -> PARALLEL TO's code
    0x2212: 0x817C,  # MINUS SIGN -> FULLWIDTH HYPHEN-MINUS's code
    0x301C: 0x8160,  # WAVE DASH -> FULLWIDTH TILDE's code
}
JIS_X_0201_ROMAN = {0x00A5: 0x5C, 0x203E: 0x7E}  # YEN SIGN, OVERLINE


def decode_one(raw):
    """The single character the codec decodes raw to, or None."""
    try:
        text = raw.decode(CODEC)
    except UnicodeDecodeError:
        return None
    if len(text) != 1:
        return None
    return ord(text)


def encode_one(cp):
    """The codec's own code for a code point, or None."""
    try:
        raw = chr(cp).encode(CODEC)
    except UnicodeEncodeError:
        return None
    return raw[0] if len(raw) == 1 else raw[0] * 256 + raw[1]


def table_index(cp):
    if cp <= 0x9FFF:
        return cp
    if 0xF900 <= cp <= 0xFFFF:
        return cp - 0x5900
    return None


def build():
    single = [0] * 256
    for b in range(256):
        if b in LEADS:
            continue
        cp = decode_one(bytes([b]))
        if cp is None:
            sys.exit(f"gen_cp932_tables: byte 0x{b:02X} does not decode")
        single[b] = cp

    double = [0] * (len(LEADS) * TRAIL_COUNT)
    for li, lead in enumerate(LEADS):
        for trail in range(TRAIL_FIRST, TRAIL_LAST + 1):
            cp = decode_one(bytes([lead, trail]))
            if cp is None:
                continue
            if cp > 0xFFFF:
                sys.exit(f"gen_cp932_tables: 0x{lead:02X}{trail:02X} decodes outside the BMP")
            double[li * TRAIL_COUNT + trail - TRAIL_FIRST] = cp

    encode = {}
    for cp in range(0x20, 0x7F):
        encode[cp] = cp
    encode.update(JIS_X_0201_ROMAN)
    for cp in range(0xFF61, 0xFFA0):
        encode[cp] = cp - 0xFF61 + 0xA1
    for li, lead in enumerate(LEADS):
        if lead > 0xEE:  # JIS rows 1 to 92 only
            break
        for trail in range(TRAIL_FIRST, TRAIL_LAST + 1):
            cp = double[li * TRAIL_COUNT + trail - TRAIL_FIRST]
            if cp == 0:
                continue
            if 0xE000 <= cp <= 0xF8FF:
                sys.exit(f"gen_cp932_tables: 0x{lead:02X}{trail:02X} decodes to private use")
            code = lead * 256 + trail
            if cp not in encode or code < encode[cp]:
                encode[cp] = code
    for cp, code in BEST_FIT.items():
        if cp in encode:
            sys.exit(f"gen_cp932_tables: best fit U+{cp:04X} already has a code")
        encode[cp] = code

    table = [0] * TABLE_SIZE
    for cp, code in encode.items():
        index = table_index(cp)
        if index is None:
            sys.exit(f"gen_cp932_tables: U+{cp:04X} has no table entry")
        table[index] = code
    return single, double, encode, table


def cross_check(encode):
    """Stops unless the table differs from the codec's encoder only as intended."""
    mapped = len(encode)
    if mapped != EXPECTED_MAPPED:
        sys.exit(f"gen_cp932_tables: {mapped} code points mapped, expected {EXPECTED_MAPPED}")
    for cp in range(0x10000):
        if 0xD800 <= cp <= 0xDFFF:
            continue
        ours = encode.get(cp)
        theirs = encode_one(cp)
        if ours == theirs:
            continue
        intended = (
            (ours is None and (cp < 0x20 or cp in (0x7F, 0x80) or 0xE000 <= cp <= 0xF8FF))
            or (theirs is None and cp in JIS_X_0201_ROMAN)
        )
        if not intended:
            sys.exit(f"gen_cp932_tables: U+{cp:04X}: table {ours}, codec {theirs}")
    if any(code >= 0xFA40 for code in encode.values()):
        sys.exit("gen_cp932_tables: an IBM extension code got into the table")


def format_values(values, per_line=16, label_every=None, label=None):
    lines = []
    for start in range(0, len(values), per_line):
        if label_every and start % label_every == 0:
            lines.append(f"    // {label(start)}")
        chunk = values[start:start + per_line]
        lines.append("    " + ", ".join("0" if v == 0 else f"0x{v:X}" for v in chunk) + ",")
    return "\n".join(lines)


def render(single, double, table):
    def cp_label(index):
        cp = index if index < 0xA000 else index + 0x5900
        return f"U+{cp:04X}"

    double_text = "\n".join(
        f"    // lead 0x{lead:02X}\n"
        + format_values(double[li * TRAIL_COUNT:(li + 1) * TRAIL_COUNT])
        for li, lead in enumerate(LEADS))

    return f"""\
// Generated by tools/gen_cp932_tables.py from Python's cp932 codec; do not edit.
// CP932 (Windows code page 932) tables; see tools/gen_cp932_tables.py for the rules.
// clang-format off

#include <cstdint>

#include "text/cp932.h"

namespace borvik::text {{

namespace detail {{
extern const std::uint16_t kCp932SingleByteToUnicode[256];
extern const std::uint16_t kCp932DoubleByteToUnicode[{len(LEADS)} * {TRAIL_COUNT}];

// Single byte -> Unicode; 0 for the lead bytes.
const std::uint16_t kCp932SingleByteToUnicode[256] = {{
{format_values(single)}
}};

// (lead 0x81-0x9F, 0xE0-0xFC) x (trail 0x40-0xFC) -> Unicode; 0 where undefined.
const std::uint16_t kCp932DoubleByteToUnicode[{len(LEADS)} * {TRAIL_COUNT}] = {{
{double_text}
}};
}}  // namespace detail

// Unicode -> Shift_JIS: U+0000..U+9FFF at c, U+F900..U+FFFF at c - 0x5900.
const std::int32_t UnicodeToSjisTable[kUnicodeToSjisTableSize] = {{
{format_values(table, label_every=0x100, label=cp_label)}
}};

}}  // namespace borvik::text
"""


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    parser = argparse.ArgumentParser(description="Writes src/text/cp932_tables.cpp from Python's cp932 codec.")
    parser.add_argument("-o", "--output", default=os.path.join(root, "src", "text", "cp932_tables.cpp"))
    args = parser.parse_args()

    single, double, encode, table = build()
    cross_check(encode)
    text = render(single, double, table)
    with open(args.output, "w", encoding="ascii", newline="\n") as f:
        f.write(text)
    print(f"gen_cp932_tables: wrote {args.output} ({len(encode)} code points mapped)")


if __name__ == "__main__":
    main()
