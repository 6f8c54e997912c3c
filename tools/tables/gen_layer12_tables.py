#!/usr/bin/env python3
"""Writes engine/codec/tables/layer12_tables.{h,cpp}: scalefactors, the layer I
and layer II requantisation constants, the dequantised triples of the grouped
layer II classes, the five layer II allocation tables and the choice among
them by sampling frequency and per-channel bitrate.

Requantisation (ISO 11172-3 2.4.3.2.2 and 2.4.3.3.4): a code k of a class with
`steps` levels (2^nb - 1 levels for the ungrouped classes and layer I, 3, 5 or
9 for the grouped ones) gives C (s''' + D) with s''' the code read as a
fraction after inverting its most significant bit. For every class this equals
(2k - steps + 1) / steps = (k - offset) * step with offset = (steps - 1) / 2
and step = 2 / steps; the generator checks that against the printed C and D.
"""

import math
import os
import sys

import isotables
from isotables import expect

GROUPED_STEPS = (3, 5, 9)
ALLOC_FILES = ("alloc_0", "alloc_1", "alloc_2", "alloc_3", "alloc_4")


def read_scalefactors(tables):
    rows = tables.rows("l12_scalefactors.txt")
    expect(len(rows) == 63, f"l12_scalefactors.txt: {len(rows)} values, expected 63")
    values = []
    for index, row in enumerate(rows):
        expect(int(row[0]) == index, f"l12_scalefactors.txt: index {row[0]} out of order")
        exact = 2.0 ** (1.0 - index / 3.0)
        expect(abs(float(row[1]) - exact) < 1e-13, f"l12_scalefactors.txt: value {index} is not 2^(1 - i/3)")
        values.append(exact)
    # Index 63 is undefined: it silences the subband (layer I refuses it).
    return values + [0.0]


def requantisation(steps):
    return (steps - 1) // 2, 2.0 / steps


def read_quant_classes(tables):
    classes = []
    for number, row in enumerate(tables.rows("l2_quant_classes.txt")):
        expect(int(row[0]) == number, f"l2_quant_classes.txt: class {row[0]} out of order")
        steps, grouped, bits = int(row[1]), int(row[2]) == 1, int(row[3])
        c, d = float(row[4]), float(row[5])
        nb = math.ceil(math.log2(steps))
        expect(grouped == (steps in GROUPED_STEPS), f"l2_quant_classes.txt: class {number} grouping")
        expect(bits == (math.ceil(3 * math.log2(steps)) if grouped else nb),
               f"l2_quant_classes.txt: class {number} code width {bits}")
        offset, step = requantisation(steps)
        for code in range(steps):
            fraction = ((code ^ (1 << (nb - 1))) - (1 << nb if code < (1 << (nb - 1)) else 0)) / 2 ** (nb - 1)
            expect(abs(c * (fraction + d) - (code - offset) * step) < 1e-9,
                   f"l2_quant_classes.txt: class {number} code {code} does not requantise as expected")
        classes.append({"steps": steps, "grouped": grouped, "bits": bits, "offset": offset, "step": step})
    expect(len(classes) == 17, f"l2_quant_classes.txt: {len(classes)} classes, expected 17")
    return classes


def read_alloc(tables, name, classes):
    lines = [line.split() for line in tables.dist10_lines(name) if line.strip()]
    sblimit = int(lines[0][0])
    rows = [[int(v) for v in line] for line in lines[1:]]
    nbal = []
    quant = []
    at = 0
    for sb in range(sblimit):
        expect(rows[at][0] == sb and rows[at][1] == 0, f"{name}: subband {sb} does not start with index 0")
        width = rows[at][3]
        expect(width in (2, 3, 4), f"{name}: subband {sb} allocation width {width}")
        per_index = [-1]
        for index in range(1, 1 << width):
            sb_, index_, steps, bits, group, q = rows[at + index]
            expect(sb_ == sb and index_ == index, f"{name}: row for subband {sb} index {index} missing")
            cls = classes[q]
            expect(cls["steps"] == steps and cls["bits"] == bits and cls["grouped"] == (group == 1),
                   f"{name}: subband {sb} index {index} disagrees with class {q}")
            per_index.append(q)
        at += 1 << width
        nbal.append(width)
        quant.append(per_index + [-1] * (16 - len(per_index)))
    expect(at == len(rows), f"{name}: {len(rows) - at} rows after the last subband")
    return {"name": name, "sblimit": sblimit, "nbal": nbal, "quant": quant}


def check_selection(tables, allocs):
    rows = {row[0]: row for row in tables.rows("l2_alloc_selection.txt")}
    for alloc in allocs:
        row = rows.get(alloc["name"])
        expect(row is not None, f"l2_alloc_selection.txt: no row for {alloc['name']}")
        expect(int(row[2]) == alloc["sblimit"] and [int(v) for v in row[3:]] == alloc["nbal"],
               f"l2_alloc_selection.txt: {alloc['name']} disagrees with dist10/{alloc['name']}")


def mpeg1_layer2_bitrates(tables):
    for row in tables.csv_rows("bitrates.csv"):
        if row["version"] == "MPEG-1" and row["layer"] == "II":
            return [int(row[f"i{index}"]) for index in range(16)]
    raise isotables.TableError("bitrates.csv: no MPEG-1 layer II row")


def mpeg1_selection(bitrates):
    """Allocation table by [sampling frequency index][per-channel bitrate index],
    ISO 11172-3 Table 3-B.2 headings; -1 where no per-channel rate exists."""
    frequencies = (44100, 48000, 32000)
    result = []
    for fs in frequencies:
        row = [-1]
        for index in range(1, 15):
            rate = bitrates[index]
            if (fs == 48000 and rate >= 56) or 56 <= rate <= 80:
                row.append(0)
            elif fs != 48000 and rate >= 96:
                row.append(1)
            elif fs != 32000 and rate <= 48:
                row.append(2)
            else:
                row.append(3)
        result.append(row + [-1])
    return result


HEADER = """{banner}// Layer I and II tables: scalefactors, requantisation, allocation tables.
#pragma once

#include <cstdint>

namespace zk::tables {{

// 2^(1 - i/3) for the 6-bit index i; index 63 (undefined) is 0.
extern const float kScalefactors[64];

// Layer I requantisation by allocation 1..14 (samples of allocation + 1 bits):
// value = (code - offset) * step.
extern const int32_t kLayer1Offset[15];
extern const float kLayer1Step[15];

// A layer II class of quantisation (ISO 11172-3 Table 3-B.4).
struct Layer2QuantClass {{
    int32_t bits;         // code width: one code per 3 samples when grouped
    int32_t offset;       // ungrouped: value = (code - offset) * step
    float step;
    const float* triples; // grouped: 3 dequantised values for each of the
                          // 2^bits codes (unused codes give zeros); else null
}};
extern const Layer2QuantClass kLayer2QuantClasses[17];

// A layer II allocation table (ISO 11172-3 Table 3-B.2a-d, 13818-3 Table B.1).
struct Layer2AllocTable {{
    int32_t sblimit;
    int8_t nbal[32];           // allocation field width per subband
    int8_t quant_class[32][16]; // class by allocation index; -1 for none
}};
// 0..3: MPEG-1 tables a..d; 4: the lower-sampling-frequency table.
extern const Layer2AllocTable kLayer2AllocTables[5];
constexpr int kLayer2LsfTable = 4;

// MPEG-1 table number by [sampling frequency index][per-channel bitrate
// index]; -1 for indices without a per-channel rate (0, 15).
extern const int8_t kLayer2TableChoice[3][16];

}} // namespace zk::tables
"""

SOURCE = """{banner}#include "codec/tables/layer12_tables.h"

namespace zk::tables {{

const float kScalefactors[64] = {{
{scalefactors}
}};

const int32_t kLayer1Offset[15] = {{
{layer1_offset}
}};

const float kLayer1Step[15] = {{
{layer1_step}
}};

namespace {{

{triples}
}} // namespace

const Layer2QuantClass kLayer2QuantClasses[17] = {{
{classes}
}};

const Layer2AllocTable kLayer2AllocTables[5] = {{
{allocs}
}};

const int8_t kLayer2TableChoice[3][16] = {{
{choice}
}};

}} // namespace zk::tables
"""


def triples_source(cls):
    """Every code of the class's width: codes beyond steps^3 - 1, which no
    encoder writes, give three zeros."""
    steps = cls["steps"]
    offset, step = requantisation(steps)
    values = []
    for code in range(1 << cls["bits"]):
        v = code
        for _ in range(3):
            values.append((v % steps - offset) * step if code < steps ** 3 else 0.0)
            v //= steps
    body = isotables.c_array_body(values, per_line=6, fmt=isotables.c_float)
    return f"const float kTriples{steps}[{len(values)}] = {{\n{body}\n}};\n"


def generate(tables, output):
    scalefactors = read_scalefactors(tables)
    classes = read_quant_classes(tables)
    allocs = [read_alloc(tables, name, classes) for name in ALLOC_FILES]
    check_selection(tables, allocs)
    choice = mpeg1_selection(mpeg1_layer2_bitrates(tables))

    layer1 = [requantisation((1 << (a + 1)) - 1) if a > 0 else (0, 0.0) for a in range(15)]
    class_lines = []
    for number, cls in enumerate(classes):
        triples = f"kTriples{cls['steps']}" if cls["grouped"] else "nullptr"
        class_lines.append(f"    {{{cls['bits']}, {cls['offset']}, {isotables.c_float(cls['step'])}, {triples}}},"
                           f" // {number}: {cls['steps']} levels")
    alloc_lines = []
    for alloc in allocs:
        nbal = alloc["nbal"] + [0] * (32 - alloc["sblimit"])
        quant = alloc["quant"] + [[-1] * 16] * (32 - alloc["sblimit"])
        alloc_lines.append(f"    {{ // {alloc['name']}")
        alloc_lines.append(f"        {alloc['sblimit']},")
        alloc_lines.append("        {" + ", ".join(map(str, nbal)) + "},")
        alloc_lines.append("        {")
        for row in quant:
            alloc_lines.append("            {" + ", ".join(map(str, row)) + "},")
        alloc_lines.append("        },")
        alloc_lines.append("    },")
    choice_lines = ["    {" + ", ".join(map(str, row)) + "}," for row in choice]

    sources = ["l12_scalefactors.txt", "l2_quant_classes.txt", "l2_alloc_selection.txt", "bitrates.csv",
               "dist10/alloc_0..4"]
    banner = isotables.banner(__file__, sources)
    header_path = os.path.join(output, "layer12_tables.h")
    source_path = os.path.join(output, "layer12_tables.cpp")
    source = SOURCE.format(
        banner=banner,
        scalefactors=isotables.c_array_body(scalefactors, per_line=4, fmt=isotables.c_float),
        layer1_offset=isotables.c_array_body([o for o, _ in layer1], per_line=8),
        layer1_step=isotables.c_array_body([s for _, s in layer1], per_line=4, fmt=isotables.c_float),
        triples="\n".join(triples_source(cls) for cls in classes if cls["grouped"]),
        classes="\n".join(class_lines),
        allocs="\n".join(alloc_lines),
        choice="\n".join(choice_lines))
    return [
        (header_path, isotables.write_if_changed(header_path, HEADER.format(banner=banner))),
        (source_path, isotables.write_if_changed(source_path, source)),
    ]


if __name__ == "__main__":
    sys.exit(isotables.run(generate, __doc__.splitlines()[0]))
