// Information frames: Xing's table of contents and VBRI's seek table, byte
// fractions for time fractions and back, and tables that do not hold.
#include "codec/vbr_header.h"
#include "engine/support/information_frames.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zk {
namespace {

using test::VbriFields;

VbrHeader parsed(const std::vector<uint8_t>& frame) {
    FrameHeader header{};
    EXPECT_TRUE(decode_frame_header(header_word(frame.data()), header));
    VbrHeader vbr;
    EXPECT_TRUE(parse_vbr_header(header, frame.data(), int32_t(frame.size()), vbr));
    return vbr;
}

// The first half of the time in the first quarter of the bytes.
VbrHeader slow_then_fast_xing() {
    uint8_t toc[100];
    for (int i = 0; i < 100; ++i) toc[i] = static_cast<uint8_t>(i < 50 ? i * 64 / 50 : 64 + (i - 50) * 192 / 50);
    return parsed(test::xing_frame(toc, 1000, 400000));
}

TEST(XingToc, TimesAndBytesMapBothWaysBetweenEntries) {
    const VbrHeader vbr = slow_then_fast_xing();
    ASSERT_EQ(vbr.kind, VbrHeader::Kind::Xing);
    EXPECT_EQ(vbr.frames, 1000u);
    EXPECT_EQ(vbr.bytes, 400000u);
    const SeekTable& table = vbr.table;
    EXPECT_DOUBLE_EQ(table.bytes_at(0), 0);
    EXPECT_DOUBLE_EQ(table.bytes_at(0.5), 0.25);
    EXPECT_NEAR(table.bytes_at(0.75), 0.625, 0.01);
    EXPECT_NEAR(table.bytes_at(0.995), 0.98, 0.02) << "the last entry runs to the end";
    for (double time : {0.0, 0.1, 0.333, 0.5, 0.62, 0.9, 0.99})
        EXPECT_NEAR(table.time_at(table.bytes_at(time)), time, 0.001) << time;
    EXPECT_DOUBLE_EQ(table.bytes_at(-1), 0) << "clamped";
    EXPECT_DOUBLE_EQ(table.bytes_at(std::nan("")), 0);
    EXPECT_DOUBLE_EQ(table.bytes_at(7), table.bytes_at(1));
    EXPECT_DOUBLE_EQ(table.time_at(2), 1);
}

TEST(XingToc, ATableThatGoesBackNeverLeavesTheRangeNorFalls) {
    uint8_t toc[100];
    for (int i = 0; i < 100; ++i) toc[i] = static_cast<uint8_t>(i % 2 ? 10 : 200);
    const VbrHeader vbr = parsed(test::xing_frame(toc, 100, 1000));
    double last_bytes = 0, last_time = 0;
    for (double fraction = 0; fraction <= 1; fraction += 0.01) {
        const double bytes = vbr.table.bytes_at(fraction), time = vbr.table.time_at(fraction);
        EXPECT_TRUE(bytes >= last_bytes && bytes <= 1) << fraction;
        EXPECT_TRUE(time >= last_time && time <= 1) << fraction;
        last_bytes = bytes;
        last_time = time;
    }
}

// Ten entries of three frames; entry i holds (i + 1) * 100 scaled bytes.
VbriFields growing_table() {
    VbriFields f;
    f.frames = 30;
    f.scale = 4;
    f.frames_per_entry = 3;
    for (uint32_t i = 0; i < 10; ++i) f.entries.push_back((i + 1) * 100);
    f.bytes = 4 * 5500;
    return f;
}

// Where entry i begins: the scaled entries before it.
uint32_t start_of_entry(const VbriFields& f, size_t i) {
    uint32_t sum = 0;
    for (size_t k = 0; k < i; ++k) sum += f.entries[k] * f.scale;
    return sum;
}

TEST(VbriTable, EachEntryStartsWhereTheEntriesBeforeItEnd) {
    for (uint32_t entry_size : {1u, 2u, 3u, 4u}) {
        SCOPED_TRACE(entry_size);
        VbriFields f = growing_table();
        f.entry_size = entry_size;
        if (entry_size == 1)
            for (uint32_t& entry : f.entries) entry /= 4; // to fit a byte
        f.bytes = start_of_entry(f, f.entries.size());
        const VbrHeader vbr = parsed(test::vbri_frame(f));
        ASSERT_EQ(vbr.kind, VbrHeader::Kind::Vbri);
        EXPECT_EQ(vbr.frames, 30u);
        EXPECT_EQ(vbr.bytes, f.bytes);
        ASSERT_EQ(vbr.table.size(), 10);
        for (size_t i = 0; i < 10; ++i) {
            const double time = double(i * 3) / 30;
            EXPECT_NEAR(vbr.table.bytes_at(time) * f.bytes, start_of_entry(f, i), 1e-6) << i;
            EXPECT_NEAR(vbr.table.time_at(double(start_of_entry(f, i)) / f.bytes), time, 1e-9) << i;
        }
        // Halfway through entry 4, halfway between its ends.
        const double middle = (start_of_entry(f, 4) + start_of_entry(f, 5)) / 2.0;
        EXPECT_NEAR(vbr.table.bytes_at(13.5 / 30) * f.bytes, middle, 1e-6);
    }
}

// Without counts, the table gives them; a table past the last frame stops
// there.
TEST(VbriTable, CountsComeFromTheTableWhenMissingAndItEndsWithTheFrames) {
    VbriFields f = growing_table();
    f.frames = 0;
    f.bytes = 0;
    VbrHeader vbr = parsed(test::vbri_frame(f));
    EXPECT_EQ(vbr.frames, 30u);
    EXPECT_EQ(vbr.bytes, start_of_entry(f, 10));
    EXPECT_EQ(vbr.table.size(), 10);

    f = growing_table();
    f.frames = 7; // the table covers 30
    vbr = parsed(test::vbri_frame(f));
    EXPECT_EQ(vbr.frames, 7u);
    EXPECT_LE(vbr.table.size(), 4);
    for (double fraction = 0; fraction <= 1; fraction += 0.05) {
        EXPECT_GE(vbr.table.bytes_at(fraction), 0);
        EXPECT_LE(vbr.table.bytes_at(fraction), 1);
    }
}

// A table longer than the points kept is thinned, each point still exact.
TEST(VbriTable, ALongTableKeepsEveryFewEntriesExactly) {
    VbriFields f;
    f.entry_size = 1;
    f.frames_per_entry = 2;
    for (uint32_t i = 0; i < 1300; ++i) f.entries.push_back(100 + i % 50);
    const VbrHeader vbr = parsed(test::vbri_frame(f, test::k320kbitAt32kHz));
    EXPECT_EQ(vbr.frames, 2600u);
    ASSERT_GT(vbr.table.size(), SeekTable::kMaxPoints / 2);
    ASSERT_LE(vbr.table.size(), SeekTable::kMaxPoints);
    const size_t step = (1300 + SeekTable::kMaxPoints - 1) / SeekTable::kMaxPoints;
    for (size_t i = 0; i < 1300; i += step * 37)
        EXPECT_NEAR(vbr.table.bytes_at(double(i * 2) / 2600) * vbr.bytes, start_of_entry(f, i), 1e-6) << i;
}

// Counts are kept, the table is left out: seeks fall back to the average
// byte rate.
TEST(VbriTable, TablesThatDoNotHoldAreLeftOut) {
    struct Case {
        const char* what;
        void (*damage)(VbriFields&);
    } cases[] = {
        {"no entries", [](VbriFields& f) { f.entries.clear(); }},
        {"scale 0", [](VbriFields& f) { f.scale = 0; }},
        {"0 frames per entry", [](VbriFields& f) { f.frames_per_entry = 0; }},
        {"entries of 0 bytes", [](VbriFields& f) { f.entry_size = 0; }},
        {"entries of 5 bytes", [](VbriFields& f) { f.entry_size = 5; }},
        {"a count past the frame", [](VbriFields& f) { f.stated_entries = 65535; }},
        {"every entry 0", [](VbriFields& f) { f.entries.assign(f.entries.size(), 0); }},
    };
    for (const Case& c : cases) {
        VbriFields f = growing_table();
        c.damage(f);
        const VbrHeader vbr = parsed(test::vbri_frame(f));
        EXPECT_EQ(vbr.kind, VbrHeader::Kind::Vbri) << c.what;
        EXPECT_EQ(vbr.frames, 30u) << c.what;
        EXPECT_TRUE(vbr.table.empty()) << c.what;
    }
    // Cut inside the table: the bytes given end before its last entry.
    const std::vector<uint8_t> frame = test::vbri_frame(growing_table());
    FrameHeader header{};
    ASSERT_TRUE(decode_frame_header(header_word(frame.data()), header));
    VbrHeader vbr;
    ASSERT_TRUE(parse_vbr_header(header, frame.data(), 62 + 19, vbr));
    EXPECT_TRUE(vbr.table.empty());
    EXPECT_FALSE(parse_vbr_header(header, frame.data(), 50, vbr)) << "the counts themselves cut off";
}

TEST(SeekTable, EmptyIsTheStraightLineAndPointsOnlyRise) {
    SeekTable table;
    EXPECT_DOUBLE_EQ(table.bytes_at(0.3), 0.3);
    EXPECT_DOUBLE_EQ(table.time_at(0.7), 0.7);
    EXPECT_TRUE(table.add(0, 0));
    EXPECT_TRUE(table.add(0.5, 0.8));
    EXPECT_FALSE(table.add(0.5, 0.9)) << "not after the last point";
    EXPECT_TRUE(table.add(0.75, 0.2)) << "raised to the last point's bytes";
    EXPECT_DOUBLE_EQ(table.bytes_at(0.75), 0.8);
    EXPECT_DOUBLE_EQ(table.bytes_at(0.25), 0.4);
    EXPECT_DOUBLE_EQ(table.bytes_at(0.875), 0.9) << "on to (1, 1)";
    EXPECT_DOUBLE_EQ(table.time_at(0.4), 0.25);
    for (int i = 3; i < SeekTable::kMaxPoints; ++i) ASSERT_TRUE(table.add(0.75 + i * 1e-4, 0.9));
    EXPECT_FALSE(table.add(0.99, 0.95)) << "full";
    EXPECT_EQ(table.size(), SeekTable::kMaxPoints);
}

} // namespace
} // namespace zk
