#!/usr/bin/env python3
"""Writes engine/codec/tables/synthesis_tables.{h,cpp}: the polyphase synthesis
window arranged for the two-window ring of codec/synthesis.cpp, and the
constants of its fast 32-point cosine transform.

The synthesis of one vector S[0..31] (ISO 11172-3 Annex A.2) is
    out[j] = sum over a = 0..7 of  D[64a + j]      * V(t - 2a)[j]
                                 + D[64a + 32 + j] * V(t - 2a - 1)[32 + j]
with V(t)[i] = sum_k S[k] cos((16 + i)(2k + 1) pi / 64). Writing
A[m] = sum_k S[k] cos(m (2k + 1) pi / 64) (a 32-point DCT-II), the symmetries
of the cosine give
    V[j] = A[16 + j] (j < 16), V[16] = 0, V[32 - j] = -V[j],
    V[32 + j] = -A[16 - j] (j <= 16), V[64 - j] = V[32 + j].
So each vector is kept as two rows of 17 values: F[k] = A[16 + k] (F[16] = 0)
and G[k] = A[16 - k]. F goes into the current window, G into the other one, at
the ring position; the ring position steps back and the windows swap after
each vector, so that the current window holds, at lag l from the ring
position, F of vector t - l for even l and G for odd l: exactly what output
samples k and 32 - k need. The table holds the coefficient of each lag and k
for the output k ("direct") and for the output 32 - k ("mirror"), scaled by
32768 so that the sums come out in 16-bit units.
"""

import math
import os
import sys

import isotables
from isotables import expect

SCALE = 32768.0


def read_window(tables):
    rows = tables.rows("synth_window_D.txt")
    expect(len(rows) == 512, f"synth_window_D.txt: {len(rows)} values, expected 512")
    window = []
    for index, row in enumerate(rows):
        expect(int(row[0]) == index, f"synth_window_D.txt: index {row[0]} out of order")
        window.append(float(row[1]))
    # The printed values are rounded multiples of 2^-16; take the exact multiple.
    exact = [round(d * 65536.0) / 65536.0 for d in window]
    expect(all(abs(a - b) < 1e-8 for a, b in zip(window, exact)),
           "synth_window_D.txt: a value is not a multiple of 2^-16")
    return exact


def arrange_window(d):
    """[lag][0 direct, 1 mirror][k] coefficients in 16-bit units."""
    table = []
    for lag in range(16):
        a = lag // 2
        direct = [0.0] * 17
        mirror = [0.0] * 17
        for k in range(17):
            if lag % 2 == 0:
                # V(t-2a)[k] = F[k]; V(t-2a)[32-k] = -F[k]; F[16] = 0.
                direct[k] = d[64 * a + k] if k < 16 else 0.0
                mirror[k] = -d[64 * a + 32 - k] if 0 < k < 16 else 0.0
            else:
                # V(t-2a-1)[32+k] = -G[k]; V(t-2a-1)[64-k] = -G[k].
                direct[k] = -d[64 * a + 32 + k]
                mirror[k] = -d[64 * a + 64 - k] if 0 < k < 16 else 0.0
        table.append(([v * SCALE for v in direct], [v * SCALE for v in mirror]))
    return table


def dct_factors(size):
    """1 / (2 cos((2k + 1) pi / (2 size))) for k < size / 2: the odd-part
    weights of one halving step of the DCT-II."""
    return [1.0 / (2.0 * math.cos((2 * k + 1) * math.pi / (2 * size))) for k in range(size // 2)]


HEADER = """{banner}// Polyphase synthesis window and fast cosine transform constants.
#pragma once

namespace zk::tables {{

// The ISO synthesis window scaled by 32768, by [lag from the ring position]
// [0: output k, 1: output 32 - k][k]; see codec/synthesis.cpp.
extern const float kSynthesisWindow[16][2][17];

// Odd-part weights 1 / (2 cos((2k + 1) pi / 2N)) of the DCT-II halving steps.
extern const float kDctFactors32[16];
extern const float kDctFactors16[8];
extern const float kDctFactors8[4];
extern const float kDctFactors4[2];
extern const float kDctFactors2[1];

}} // namespace zk::tables
"""

SOURCE = """{banner}#include "codec/tables/synthesis_tables.h"

namespace zk::tables {{

const float kSynthesisWindow[16][2][17] = {{
{window}
}};

{factors}
}} // namespace zk::tables
"""


def generate(tables, output):
    window = arrange_window(read_window(tables))
    window_lines = []
    for lag, (direct, mirror) in enumerate(window):
        window_lines.append(f"    {{ // lag {lag}")
        for row in (direct, mirror):
            window_lines.append("        {")
            window_lines.append(isotables.c_array_body(row, per_line=6, fmt=isotables.c_float,
                                                       indent="            "))
            window_lines.append("        },")
        window_lines.append("    },")
    factor_lines = []
    for size in (32, 16, 8, 4, 2):
        values = dct_factors(size)
        factor_lines.append(f"const float kDctFactors{size}[{len(values)}] = {{")
        factor_lines.append(isotables.c_array_body(values, per_line=4, fmt=isotables.c_float))
        factor_lines.append("};")
        factor_lines.append("")
    banner = isotables.banner(__file__, ["synth_window_D.txt"])
    header_path = os.path.join(output, "synthesis_tables.h")
    source_path = os.path.join(output, "synthesis_tables.cpp")
    return [
        (header_path, isotables.write_if_changed(header_path, HEADER.format(banner=banner))),
        (source_path, isotables.write_if_changed(source_path, SOURCE.format(
            banner=banner, window="\n".join(window_lines), factors="\n".join(factor_lines)))),
    ]


if __name__ == "__main__":
    sys.exit(isotables.run(generate, __doc__.splitlines()[0]))
