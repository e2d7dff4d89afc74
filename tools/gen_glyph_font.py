#!/usr/bin/env python3
# Writes src/render/glyph_font_data.cpp, the committed GlyphFont of the bitmap
# text (src/render/bitmap_text.cpp).
#
#   python3 tools/gen_glyph_font.py            (from the repository root)
#   python3 tools/gen_glyph_font.py -o FILE    (somewhere else)
#
# Needs the Debian packages xfonts-shinonome, unifont and pcf2bdf
# (scripts/setup --generators). The build never runs this script; it is kept
# to show, and to redo, where the glyphs came from.
#
# Sources and their licences:
#   * Shinonome 16-dot Gothic (東雲フォント), Debian package xfonts-shinonome,
#     by Yasuyuki Furukawa and the /efont/ project; public domain (see
#     /usr/share/doc/xfonts-shinonome/copyright):
#       shnmk16.pcf.gz    16 x 16, JIS X 0208 (BDF ENCODING = row/cell as
#                         0x2121..0x7E7E): the JIS X 0208 rows 1-8 and 16-84;
#       shnm8x16r.pcf.gz  8 x 16, JIS X 0201 (BDF ENCODING = the byte):
#                         0x21-0x7E with 0x5C as the yen sign and 0x7E as the
#                         overline, the half-width katakana 0xA1-0xDF.
#     pcf2bdf turns the PCF files into BDF text.
#   * GNU Unifont, Japanese variant, Debian package unifont,
#     /usr/share/unifont/unifont_jp.hex (keyed by Unicode code point), by Roman
#     Czyborra, Paul Hardy and the other Unifont contributors; GPL-2.0-or-later
#     (see /usr/share/doc/unifont/copyright): the cells code page 932 adds to
#     JIS X 0208, the NEC special row 13 and the NEC-selected IBM rows 89-92,
#     and any other defined cell Shinonome lacks.
#
# Slot layout (8,904 slots of 48 bytes: standard base64 text, then zero bytes):
#   * slots 0-255: half-width glyphs by the byte, 16 bytes (one per row, top
#     row first) as 24 characters. Glyphs for 0x21-0x7E and 0xA1-0xDF; every
#     other slot is blank: 0x00-0x20 all draw as the space (slot 32), 0x7F,
#     0x80 and 0xA0 have no character, the lead bytes 0x81-0x9F and 0xE0-0xFF
#     are never looked up as single bytes.
#   * slots 256-8903: full-width glyphs, slot 256 + (ku - 1) * 94 + (ten - 1)
#     for row ku, cell ten of the Shift_JIS double-byte table (ku 1-92), 32
#     bytes (two per row, left byte first, top row first) as 44 characters.
#     A cell code page 932 leaves undefined is blank, and so is the
#     ideographic space (slot 256).
#   * in every row byte the most significant bit is the leftmost pixel.
#
# Each full-width cell goes through code page 932 (Python's 'cp932' codec,
# Microsoft's mapping) to its Unicode character. A character of the JIS X 0208
# rows takes the Shinonome glyph of its cell; a cell outside them whose
# character code page 932 also puts in a JIS X 0208 row (the NEC row's ≒ ≡ ∫
# √ ⊥ ∠ ∵ ∩ ∪, the IBM row's ￢) takes that same Shinonome glyph, so both codes
# look alike; every other character takes its Unifont glyph. Unifont draws a
# few of them (the Roman numerals, №, ℡ and some mathematical signs) 8 pixels
# wide: those are centred in the 16-pixel cell.
#
# The script stops unless every defined cell got a glyph with ink and every
# slot decodes to its size.

import argparse
import base64
import gzip
import os
import subprocess
import sys

FONT_DIR = "/usr/share/fonts/X11/misc"
SHINONOME_KANJI = os.path.join(FONT_DIR, "shnmk16.pcf.gz")
SHINONOME_HALF = os.path.join(FONT_DIR, "shnm8x16r.pcf.gz")
UNIFONT_JP = "/usr/share/unifont/unifont_jp.hex"

CODEC = "cp932"
HALF_SLOTS = 256
ROWS, CELLS = 92, 94
SLOT_COUNT = HALF_SLOTS + ROWS * CELLS  # 8904
SLOT_SIZE = 48
JIS_X_0208_ROWS = set(range(1, 9)) | set(range(16, 85))
HALF_WIDTH_BYTES = list(range(0x21, 0x7F)) + list(range(0xA1, 0xE0))

BLANK_HALF = bytes(16)
BLANK_FULL = bytes(32)


def fail(message):
    sys.exit(f"gen_glyph_font: {message}")


def read_bdf(pcf_gz, registry, width):
    """{encoding: rows} of a PCF font through pcf2bdf; rows as integers,
    `width` bits each, top row first. Stops unless the font is the expected
    charset and every glyph fills the 16-row cell exactly."""
    with gzip.open(pcf_gz, "rb") as f:
        pcf = f.read()
    try:
        bdf = subprocess.run(["pcf2bdf"], input=pcf, capture_output=True, check=True).stdout
    except (OSError, subprocess.CalledProcessError) as e:
        fail(f"pcf2bdf on {pcf_gz} failed: {e}")
    glyphs = {}
    encoding = None
    rows = None
    seen_registry = None
    for raw in bdf.decode("latin-1").splitlines():
        line = raw.strip()
        key, _, value = line.partition(" ")
        if rows is not None:
            if line == "ENDCHAR":
                if len(rows) != 16:
                    fail(f"{pcf_gz}: glyph {encoding} has {len(rows)} rows")
                glyphs[encoding] = rows
                rows = None
            else:
                rows.append(int(line, 16) >> (len(line) * 4 - width))
        elif key == "CHARSET_REGISTRY":
            seen_registry = value.strip('"')
        elif key == "ENCODING":
            encoding = int(value.split()[0])
        elif key == "BBX":
            if value.split() != [str(width), "16", "0", "-2"]:
                fail(f"{pcf_gz}: glyph {encoding} has BBX {value}, not a full {width} x 16 cell")
        elif key == "BITMAP":
            rows = []
    if seen_registry != registry:
        fail(f"{pcf_gz}: CHARSET_REGISTRY {seen_registry}, expected {registry}")
    return glyphs


def read_unifont(path):
    """{code point: bytes} of a Unifont .hex file: 16 bytes for an 8 x 16
    glyph, 32 for a 16 x 16 one."""
    glyphs = {}
    with open(path, encoding="ascii") as f:
        for line in f:
            code, _, data = line.strip().partition(":")
            if len(data) not in (32, 64):
                fail(f"{path}: U+{code} has {len(data)} hex digits")
            glyphs[int(code, 16)] = bytes.fromhex(data)
    return glyphs


def rows_to_bytes(rows, width):
    return b"".join(r.to_bytes(width // 8, "big") for r in rows)


def widen(unifont_glyph):
    """A 16 x 16 glyph from a Unifont glyph, an 8-pixel one centred."""
    if len(unifont_glyph) == 32:
        return unifont_glyph
    return b"".join(((b << 4) & 0xFFFF).to_bytes(2, "big") for b in unifont_glyph)


def shift_jis(ku, ten):
    lead = (ku + 1) // 2 + (0x80 if ku <= 62 else 0xC0)
    if ku % 2:
        trail = ten + 0x3F if ten <= 63 else ten + 0x40
    else:
        trail = ten + 0x9E
    return bytes([lead, trail])


def decode_cell(ku, ten):
    """The one character code page 932 gives the cell, or None."""
    try:
        text = shift_jis(ku, ten).decode(CODEC)
    except UnicodeDecodeError:
        return None
    return text if len(text) == 1 else None


def build():
    kanji = read_bdf(SHINONOME_KANJI, "JISX0208.1983", 16)
    half = read_bdf(SHINONOME_HALF, "JISX0201.1976", 8)
    unifont = read_unifont(UNIFONT_JP)

    slots = [BLANK_HALF] * HALF_SLOTS + [BLANK_FULL] * (ROWS * CELLS)
    for b in HALF_WIDTH_BYTES:
        if b not in half:
            fail(f"shnm8x16r has no glyph for 0x{b:02X}")
        slots[b] = rows_to_bytes(half[b], 8)

    # The Shinonome glyph of every character in a JIS X 0208 row, by character.
    jis_glyph = {}
    for ku in sorted(JIS_X_0208_ROWS):
        for ten in range(1, CELLS + 1):
            char = decode_cell(ku, ten)
            jis = (0x20 + ku) << 8 | (0x20 + ten)
            if char is not None and jis in kanji:
                jis_glyph.setdefault(char, rows_to_bytes(kanji[jis], 16))

    stats = {"shinonome": 0, "shinonome, same character": 0, "unifont": 0,
             "unifont, centred": 0, "undefined": 0}
    for ku in range(1, ROWS + 1):
        for ten in range(1, CELLS + 1):
            slot = HALF_SLOTS + (ku - 1) * CELLS + (ten - 1)
            char = decode_cell(ku, ten)
            if char is None:
                stats["undefined"] += 1
                continue
            if char == "\u3000":
                continue  # the ideographic space stays blank
            jis = (0x20 + ku) << 8 | (0x20 + ten)
            if ku in JIS_X_0208_ROWS and jis in kanji:
                glyph = rows_to_bytes(kanji[jis], 16)
                stats["shinonome"] += 1
            elif char in jis_glyph:
                glyph = jis_glyph[char]
                stats["shinonome, same character"] += 1
            elif ord(char) in unifont:
                glyph = widen(unifont[ord(char)])
                stats["unifont, centred" if len(unifont[ord(char)]) == 16 else "unifont"] += 1
            else:
                fail(f"no glyph for {shift_jis(ku, ten).hex().upper()} (U+{ord(char):04X})")
            if glyph == BLANK_FULL:
                fail(f"the glyph of {shift_jis(ku, ten).hex().upper()} (U+{ord(char):04X}) is blank")
            slots[slot] = glyph
    return slots, stats


def encode_slots(slots):
    texts = []
    for i, glyph in enumerate(slots):
        text = base64.b64encode(glyph).decode("ascii")
        size = 16 if i < HALF_SLOTS else 32
        if len(glyph) != size or base64.b64decode(text) != glyph or len(text) >= SLOT_SIZE:
            fail(f"slot {i} does not hold a {size}-byte glyph")
        texts.append(text)
    return texts


def slot_label(i):
    if i < HALF_SLOTS:
        return f"0x{i:02X}"
    ku, ten = divmod(i - HALF_SLOTS, CELLS)
    return f"ku {ku + 1} (0x{shift_jis(ku + 1, ten + 1).hex().upper()})"


def render(texts):
    lines = []
    for i, text in enumerate(texts):
        if i == 0 or (i >= HALF_SLOTS and (i - HALF_SLOTS) % CELLS == 0):
            lines.append(f"    // {'half-width, by byte' if i == 0 else slot_label(i)}")
        elif i < HALF_SLOTS and i % 16 == 0:
            lines.append(f"    // 0x{i:02X}")
        lines.append(f'    "{text}",')
    body = "\n".join(lines)
    return f"""\
// Generated by tools/gen_glyph_font.py from the Shinonome and GNU Unifont bitmap fonts; do not edit.
// The bitmap text's font: base64 glyphs, 8 x 16 by byte, then 16 x 16 by ku and ten.
// Glyphs: Shinonome (public domain) and GNU Unifont (GPL-2.0-or-later); see the generator.
// clang-format off

#include "render/glyph_font.h"

namespace borvik::render {{

const char GlyphFont[kGlyphSlotCount][kGlyphSlotSize] = {{
{body}
}};

}}  // namespace borvik::render
"""


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    parser = argparse.ArgumentParser(description="Writes src/render/glyph_font_data.cpp from Shinonome and Unifont.")
    parser.add_argument("-o", "--output", default=os.path.join(root, "src", "render", "glyph_font_data.cpp"))
    args = parser.parse_args()

    slots, stats = build()
    if len(slots) != SLOT_COUNT:
        fail(f"{len(slots)} slots")
    text = render(encode_slots(slots))
    with open(args.output, "w", encoding="ascii", newline="\n") as f:
        f.write(text)
    summary = ", ".join(f"{name} {count}" for name, count in stats.items())
    print(f"gen_glyph_font: wrote {args.output} (full-width cells: {summary})")


if __name__ == "__main__":
    main()
