#!/usr/bin/env python3
"""Writes engine/codec/tables/layer3_tables.{h,cpp}: the layer III tables
(Huffman lookup tables, scalefactor bands, pretab, scalefactor lengths,
requantisation powers and gains, alias coefficients, intensity ratios, IMDCT
twiddles and the IMDCT windows folded with the output mapping)."""

import math
import os
import struct
import sys

import isotables
from isotables import expect

# Sampling frequency rows of the band tables, in the decoder's rate index
# order: 3 * (0 MPEG-1, 1 MPEG-2, 2 MPEG-2.5) + frequency index.
BAND_RATES = (("MPEG-1", 44100), ("MPEG-1", 48000), ("MPEG-1", 32000),
              ("MPEG-2", 22050), ("MPEG-2", 24000), ("MPEG-2", 16000),
              ("MPEG-2.5", 11025), ("MPEG-2.5", 12000), ("MPEG-2.5", 8000))

POWER_ENTRIES = 8207          # |value| up to 15 + 8191 (13 linbits)
GAIN_MIN, GAIN_MAX = -255, 256
FIRST_LEVEL_BITS = 9           # widest first lookup level
SUBTABLE_BITS = 8              # widest later lookup level
LEAF_VALUE_BITS = 8
LINK_FLAG = 0x8000


def to_float(value):
    """value rounded to a 32-bit float."""
    return struct.unpack("f", struct.pack("f", value))[0]


def c_float(value):
    return isotables.c_float(to_float(value))


# ---------------------------------------------------------------- Huffman

def read_huffman_codes(tables):
    """{table: (linbits, code_from, [(bits string, value)])} from huffcode;
    value is x << 4 | y for pairs, the v w x y nibble for quadruples."""
    codes = {}
    current = None
    for line in tables.dist10_lines("huffcode"):
        words = line.split()
        if not words or words[0].startswith("#"):
            continue
        if words[0] == ".table":
            number, linbits = int(words[1]), int(words[4])
            current = codes[number] = [linbits, number, []]
        elif words[0] in (".reference", ".referenz"):
            current[1] = int(words[1])
        elif words[0] == ".end":
            break
        elif current is not None:
            if len(words) == 4:
                x, y, length, bits = int(words[0]), int(words[1]), int(words[2]), words[3]
                value = x << 4 | y
            else:
                value, length, bits = int(words[0]), int(words[1]), words[2]
            expect(len(bits) == length and set(bits) <= {"0", "1"},
                   f"huffcode table {number}: bad code word {bits}")
            current[2].append((bits, value))
    expect(sorted(codes) == list(range(34)), "huffcode: tables 0..33 expected")
    return {number: tuple(entry) for number, entry in codes.items()}


def check_summary(tables, codes):
    for row in tables.rows("l3_huffman_tables.txt"):
        number, linbits, code_from = int(row[0]), int(row[2]), int(row[3])
        expect(codes[number][0] == linbits, f"table {number}: linbits disagree with the summary")
        expect(codes[number][1] == code_from, f"table {number}: shared code disagrees with the summary")


def build_lookup(words):
    """Multi-level lookup for a complete prefix code: a flat list of uint16
    entries and the width of the first level. Leaf: length at its level in
    bits 8..12, value in bits 0..7. Link: LINK_FLAG, subtable width in bits
    11..14, subtable offset in bits 0..10."""
    entries = []

    def fill(group, width):
        base = len(entries)
        entries.extend([None] * (1 << width))
        pending = {}
        for bits, value in group:
            if len(bits) <= width:
                span = 1 << (width - len(bits))
                start = int(bits, 2) << (width - len(bits))
                for index in range(start, start + span):
                    expect(entries[base + index] is None, "huffcode: code words overlap")
                    entries[base + index] = len(bits) << 8 | value
            else:
                pending.setdefault(int(bits[:width], 2), []).append((bits[width:], value))
        for index, rest in sorted(pending.items()):
            sub_width = min(SUBTABLE_BITS, max(len(bits) for bits, _ in rest))
            offset = fill(rest, sub_width)
            expect(offset < 2048 and sub_width < 16, "Huffman subtable out of range")
            entries[base + index] = LINK_FLAG | sub_width << 11 | offset
        expect(all(e is not None for e in entries[base:base + (1 << width)]),
               "huffcode: incomplete code")
        return base

    first = min(FIRST_LEVEL_BITS, max(len(bits) for bits, _ in words))
    fill(words, first)
    return entries, first


# ---------------------------------------------------------------- bands etc.

def read_bands(tables):
    rows = {}
    for row in tables.rows("l3_sfb_bands.txt"):
        rows[(row[0], int(row[1]), row[2])] = [int(v) for v in row[3:]]
    long_bands, short_bands = [], []
    for version, rate in BAND_RATES:
        long_row = rows.get((version, rate, "long"))
        short_row = rows.get((version, rate, "short"))
        expect(long_row and len(long_row) == 23 and long_row[-1] == 576,
               f"l3_sfb_bands.txt: long row of {version} {rate}")
        expect(short_row and len(short_row) == 14 and short_row[-1] == 192,
               f"l3_sfb_bands.txt: short row of {version} {rate}")
        expect(all(v % 2 == 0 for v in long_row + short_row),
               f"l3_sfb_bands.txt: {version} {rate}: odd band boundary")
        long_bands.append(long_row)
        short_bands.append(short_row)
    return long_bands, short_bands


def read_pretab(tables):
    values = [int(row[1]) for row in tables.rows("l3_pretab.txt")]
    expect(len(values) == 21, "l3_pretab.txt: 21 values expected")
    return values + [0]


def read_slen(tables):
    rows = tables.rows("l3_slen.txt")
    expect([int(r[0]) for r in rows] == list(range(16)), "l3_slen.txt: 16 rows expected")
    return [(int(r[1]), int(r[2])) for r in rows]


def read_partitions(tables):
    result = [[None] * 3 for _ in range(6)]
    for row in tables.rows("l3_lsf_nr_of_sfb.txt"):
        block, kind = int(row[0]), int(row[1])
        counts = [int(v) for v in row[2:6]]
        expect(sum(counts) == (21, 36, 33)[kind], f"l3_lsf_nr_of_sfb.txt: row {row}")
        result[block][kind] = counts
    expect(all(all(c is not None for c in block) for block in result),
           "l3_lsf_nr_of_sfb.txt: 6 x 3 rows expected")
    return result


def read_alias(tables):
    rows = tables.rows("l3_alias_ci.txt")
    expect(len(rows) == 8, "l3_alias_ci.txt: 8 rows expected")
    cs, ca = [], []
    for row in rows:
        c = float(row[1])
        cs.append(1 / math.sqrt(1 + c * c))
        ca.append(c / math.sqrt(1 + c * c))
    return cs, ca


# ---------------------------------------------------------------- transforms

def imdct_output_sign(i, n):
    """The IMDCT output i of n points equals sign * y[index] of the n/2-point
    DCT-IV y: returns (sign, index)."""
    half = n // 2
    j = i + n // 4
    if j < half:
        return 1, j
    if j < 2 * half:
        return -1, 2 * half - 1 - j
    return -1, j - 2 * half


def long_window(block_type, i):
    if block_type == 0:
        return math.sin(math.pi / 36 * (i + 0.5))
    if block_type == 1:
        if i < 18:
            return math.sin(math.pi / 36 * (i + 0.5))
        if i < 24:
            return 1.0
        if i < 30:
            return math.sin(math.pi / 12 * (i - 18 + 0.5))
        return 0.0
    if i < 6:
        return 0.0
    if i < 12:
        return math.sin(math.pi / 12 * (i - 6 + 0.5))
    if i < 18:
        return 1.0
    return math.sin(math.pi / 36 * (i + 0.5))


def folded_windows(points, window):
    """[even subbands, odd subbands][i]: window times the output sign of the
    fast IMDCT; odd subbands with every odd coefficient negated."""
    even = [window(i) * imdct_output_sign(i, points)[0] for i in range(points)]
    odd = [v if i % 2 == 0 else -v for i, v in enumerate(even)]
    return [even, odd]


def dct4_twiddles(n):
    """Pre- and post-twiddles of the n-point DCT-IV through an n/2-point
    complex DFT, as (cos, sin) pairs of the negative angles."""
    half = n // 2
    pre = [(math.cos(math.pi * (4 * k + 1) / (4 * n)), -math.sin(math.pi * (4 * k + 1) / (4 * n)))
           for k in range(half)]
    post = [(math.cos(math.pi * k / n), -math.sin(math.pi * k / n)) for k in range(half)]
    return pre, post


# ---------------------------------------------------------------- output

HEADER = """{banner}// Layer III tables.
#pragma once

#include <cstdint>

namespace zk::tables {{

// Multi-level Huffman lookup: read first_bits bits, index entries with them.
// A leaf (bit 15 clear) holds the code length at that level in bits 8..12
// and the value in bits 0..7 (x << 4 | y for pairs, v w x y for quadruples);
// a link (bit 15 set) holds the next level's width in bits 11..14 and its
// offset from entries in bits 0..10.
struct HuffmanTable {{
    const uint16_t* entries; // null: no code (tables 0, 4 and 14)
    uint8_t first_bits;
    uint8_t linbits;
}};
constexpr uint16_t kHuffmanLink = 0x8000;
// Big-value tables 0..31, then count1 tables A (32) and B (33).
extern const HuffmanTable kHuffmanTables[34];

// Band boundaries by rate index (3 * (0 MPEG-1, 1 MPEG-2, 2 MPEG-2.5) +
// frequency index): long bands 0..21 and 576; short bands 0..12 and 192
// (lines per window).
extern const int16_t kLongBands[9][23];
extern const int16_t kShortBands[9][14];

extern const uint8_t kPretab[22];
// MPEG-1 scalefactor compression: {{slen1, slen2}}.
extern const uint8_t kSlen[16][2];
// MPEG-2 scalefactor partitions [block number][0 long, 1 short, 2 mixed][4].
extern const uint8_t kPartitionSizes[6][3][4];

// |v|^(4/3) for v from 0 to {power_last}.
extern const float kPower43[{power_entries}];
// 2^((e - 210) / 4) for e from {gain_min} to {gain_max}, at index e + {gain_offset}.
constexpr int kGainOffset = {gain_offset};
extern const float kGain[{gain_entries}];

// Alias reduction butterflies.
extern const float kAliasCs[8];
extern const float kAliasCa[8];

// Intensity stereo {{left, right}} factors: MPEG-1 by position 0..6;
// MPEG-2 by [intensity scale][position 0..15].
extern const float kIntensityMpeg1[7][2];
extern const float kIntensityMpeg2[2][16][2];

// Fast IMDCT: DCT-IV through a half-size complex DFT; {{cos, sin}} twiddles.
extern const float kImdct36Pre[9][2];
extern const float kImdct36Post[9][2];
extern const float kImdct12Pre[3][2];
extern const float kImdct12Post[3][2];
// e^(-2 pi i k / 9) for k = 1, 2, 4 (the 3 x 3 DFT's inner twiddles).
extern const float kDft9Twiddle[3][2];
constexpr float kSqrt3Half = {sqrt3_half};
constexpr float kSqrt2 = {sqrt2};

// Windows times the IMDCT output signs: [block type 0, 1, 3][even, odd
// subband][36], and the short window [even, odd subband][12].
extern const float kLongWindows[3][2][36];
extern const float kShortWindow[2][12];

}} // namespace zk::tables
"""


def array_2d(rows, fmt=str, per_line=12):
    return "\n".join("    {" + ", ".join(fmt(v) for v in row) + "}," for row in rows)


def generate(tables, output):
    codes = read_huffman_codes(tables)
    check_summary(tables, codes)
    long_bands, short_bands = read_bands(tables)
    pretab = read_pretab(tables)
    slen = read_slen(tables)
    partitions = read_partitions(tables)
    alias_cs, alias_ca = read_alias(tables)
    banner = isotables.banner(__file__, ["dist10/huffcode", "l3_huffman_tables.txt", "l3_sfb_bands.txt",
                                         "l3_pretab.txt", "l3_slen.txt", "l3_lsf_nr_of_sfb.txt",
                                         "l3_alias_ci.txt"])

    parts = [banner + '#include "codec/tables/layer3_tables.h"\n\nnamespace zk::tables {\n']

    # Huffman lookups: one array per distinct code.
    table_rows = []
    for number in range(34):
        linbits, code_from, words = codes[number]
        if not codes[code_from][2]:
            table_rows.append("    {nullptr, 0, 0},")
            continue
        if code_from == number:
            entries, first = build_lookup(codes[number][2])
            parts.append(f"static const uint16_t kHuffman{number}[{len(entries)}] = {{\n" +
                         isotables.c_array_body(entries, 12, lambda v: f"0x{v:04X}") + "\n};\n")
            codes[number] = (linbits, code_from, words, first)
        first = codes[code_from][3]
        table_rows.append(f"    {{kHuffman{code_from}, {first}, {linbits}}},")
    parts.append("const HuffmanTable kHuffmanTables[34] = {\n" + "\n".join(table_rows) + "\n};\n")

    parts.append("const int16_t kLongBands[9][23] = {\n" + array_2d(long_bands) + "\n};\n")
    parts.append("const int16_t kShortBands[9][14] = {\n" + array_2d(short_bands) + "\n};\n")
    parts.append("const uint8_t kPretab[22] = {" + ", ".join(map(str, pretab)) + "};\n")
    parts.append("const uint8_t kSlen[16][2] = {\n" + array_2d(slen) + "\n};\n")
    parts.append("const uint8_t kPartitionSizes[6][3][4] = {\n" +
                 "\n".join("    {" + ", ".join("{" + ", ".join(map(str, k)) + "}" for k in block) + "},"
                           for block in partitions) + "\n};\n")

    powers = [float(v) ** (4.0 / 3.0) for v in range(POWER_ENTRIES)]
    parts.append(f"const float kPower43[{POWER_ENTRIES}] = {{\n" +
                 isotables.c_array_body(powers, 6, c_float) + "\n};\n")
    gains = [2.0 ** ((e - 210) / 4.0) for e in range(GAIN_MIN, GAIN_MAX + 1)]
    parts.append(f"const float kGain[{len(gains)}] = {{\n" +
                 isotables.c_array_body(gains, 6, c_float) + "\n};\n")

    parts.append("const float kAliasCs[8] = {" + ", ".join(map(c_float, alias_cs)) + "};\n")
    parts.append("const float kAliasCa[8] = {" + ", ".join(map(c_float, alias_ca)) + "};\n")

    mpeg1 = []
    for position in range(7):
        if position == 6:
            mpeg1.append((1.0, 0.0))
        else:
            ratio = math.tan(position * math.pi / 12)
            mpeg1.append((ratio / (1 + ratio), 1 / (1 + ratio)))
    parts.append("const float kIntensityMpeg1[7][2] = {\n" + array_2d(mpeg1, c_float) + "\n};\n")
    mpeg2 = []
    for scale in range(2):
        io = 2.0 ** (-0.25 * (scale + 1))
        rows = []
        for position in range(16):
            if position == 0:
                rows.append((1.0, 1.0))
            elif position % 2:
                rows.append((io ** ((position + 1) // 2), 1.0))
            else:
                rows.append((1.0, io ** (position // 2)))
        mpeg2.append(rows)
    parts.append("const float kIntensityMpeg2[2][16][2] = {\n" +
                 "\n".join("    {" + ", ".join("{" + c_float(a) + ", " + c_float(b) + "}" for a, b in rows) + "},"
                           for rows in mpeg2) + "\n};\n")

    for points in (36, 12):
        pre, post = dct4_twiddles(points // 2)
        parts.append(f"const float kImdct{points}Pre[{points // 4}][2] = {{\n" + array_2d(pre, c_float) + "\n};\n")
        parts.append(f"const float kImdct{points}Post[{points // 4}][2] = {{\n" + array_2d(post, c_float) + "\n};\n")
    dft9 = [(math.cos(2 * math.pi * k / 9), -math.sin(2 * math.pi * k / 9)) for k in (1, 2, 4)]
    parts.append("const float kDft9Twiddle[3][2] = {\n" + array_2d(dft9, c_float) + "\n};\n")

    long_windows = [folded_windows(36, lambda i, t=t: long_window(t, i)) for t in (0, 1, 3)]
    parts.append("const float kLongWindows[3][2][36] = {\n" + "\n".join(
        "    {\n" + "\n".join("        {\n" + isotables.c_array_body(w, 6, c_float, " " * 12) + "\n        },"
                               for w in pair) + "\n    },"
        for pair in long_windows) + "\n};\n")
    short = folded_windows(12, lambda i: math.sin(math.pi / 12 * (i + 0.5)))
    parts.append("const float kShortWindow[2][12] = {\n" + "\n".join(
        "    {\n" + isotables.c_array_body(w, 6, c_float, " " * 8) + "\n    }," for w in short) + "\n};\n")

    parts.append("} // namespace zk::tables\n")

    header = HEADER.format(banner=banner, power_last=POWER_ENTRIES - 1, power_entries=POWER_ENTRIES,
                           gain_min=GAIN_MIN, gain_max=GAIN_MAX, gain_offset=-GAIN_MIN,
                           gain_entries=GAIN_MAX - GAIN_MIN + 1,
                           sqrt3_half=c_float(math.sqrt(3) / 2), sqrt2=c_float(math.sqrt(2)))
    os.makedirs(output, exist_ok=True)
    header_path = os.path.join(output, "layer3_tables.h")
    source_path = os.path.join(output, "layer3_tables.cpp")
    return [
        (header_path, isotables.write_if_changed(header_path, header)),
        (source_path, isotables.write_if_changed(source_path, "\n".join(parts))),
    ]


if __name__ == "__main__":
    sys.exit(isotables.run(generate, __doc__))
