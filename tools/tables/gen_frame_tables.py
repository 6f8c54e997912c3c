#!/usr/bin/env python3
"""Writes engine/codec/tables/frame_tables.{h,cpp}: the frame header's bitrate
and sampling frequency tables, from bitrates.csv and sample_rates.csv."""

import os
import sys

import isotables
from isotables import expect

LAYERS = ("I", "II", "III")
# Row order of the frequency table: the header's version id
# (0 MPEG-2, 1 MPEG-1, 2 MPEG-2.5) and its two version bits (19-20).
VERSIONS_BY_ID = (("MPEG-2", 2), ("MPEG-1", 3), ("MPEG-2.5", 0))


def read_bitrates(tables):
    rows = {(r["version"], r["layer"]): r for r in tables.csv_rows("bitrates.csv")}
    result = []
    for version in ("MPEG-1", "MPEG-2"):
        per_layer = []
        for layer in LAYERS:
            row = rows.get((version, layer))
            expect(row is not None, f"bitrates.csv: no row for {version} layer {layer}")
            values = [int(row[f"i{index}"]) for index in range(16)]
            expect(values[0] == 0 and values[15] == -1,
                   f"bitrates.csv: {version} layer {layer}: free format must be 0, index 15 -1")
            expect(all(a < b for a, b in zip(values[1:15], values[2:15])),
                   f"bitrates.csv: {version} layer {layer}: bitrates must increase")
            per_layer.append(values)
        result.append(per_layer)
    return result


def read_sample_rates(tables):
    rows = {r["version"]: r for r in tables.csv_rows("sample_rates.csv")}
    result = []
    for version, bits in VERSIONS_BY_ID:
        row = rows.get(version)
        expect(row is not None, f"sample_rates.csv: no row for {version}")
        expect(int(row["header_version_bits"]) == bits,
               f"sample_rates.csv: {version} has header bits {row['header_version_bits']}, expected {bits}")
        values = [int(row[f"idx{index}"]) for index in range(4)]
        expect(all(v > 0 for v in values[:3]) and values[3] == -1,
               f"sample_rates.csv: {version}: three rates and a reserved index 3 expected")
        result.append(values)
    return result


HEADER = """{banner}// Bitrate and sampling frequency tables of the MPEG audio frame header.
#pragma once

#include <cstdint>

namespace zk::tables {{

// kbit/s by [0 MPEG-1, 1 MPEG-2 and MPEG-2.5][layer - 1][bitrate index];
// index 0 (free format) holds 0, index 15 (forbidden) -1.
extern const int16_t kBitrateKbps[2][3][16];

// Hz by [version id: 0 MPEG-2, 1 MPEG-1, 2 MPEG-2.5][sampling frequency index];
// index 3 (reserved) holds -1.
extern const int32_t kSampleRateHz[3][4];

}} // namespace zk::tables
"""

SOURCE = """{banner}#include "codec/tables/frame_tables.h"

namespace zk::tables {{

const int16_t kBitrateKbps[2][3][16] = {{
{bitrates}
}};

const int32_t kSampleRateHz[3][4] = {{
{rates}
}};

}} // namespace zk::tables
"""


def generate(tables, output):
    bitrates = read_bitrates(tables)
    rates = read_sample_rates(tables)
    banner = isotables.banner(__file__, ["bitrates.csv", "sample_rates.csv"])

    bitrate_text = "\n".join(
        "    {" + f" // {version}\n" +
        "\n".join("        {" + ", ".join(map(str, layer)) + "}," for layer in per_layer) +
        "\n    },"
        for version, per_layer in zip(("MPEG-1", "MPEG-2, MPEG-2.5"), bitrates))
    rate_text = "\n".join(
        "    {" + ", ".join(map(str, values)) + f"}}, // {version}"
        for (version, _), values in zip(VERSIONS_BY_ID, rates))

    os.makedirs(output, exist_ok=True)
    header_path = os.path.join(output, "frame_tables.h")
    source_path = os.path.join(output, "frame_tables.cpp")
    return [
        (header_path, isotables.write_if_changed(header_path, HEADER.format(banner=banner))),
        (source_path, isotables.write_if_changed(
            source_path, SOURCE.format(banner=banner, bitrates=bitrate_text, rates=rate_text))),
    ]


if __name__ == "__main__":
    sys.exit(isotables.run(generate, __doc__))
