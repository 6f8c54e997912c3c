#include "skin/picture/PcxRunLength.h"

#include <gtest/gtest.h>

#include <random>

namespace {

QByteArray Bytes(std::initializer_list<int> values) {
    QByteArray out;
    for (int v : values) out.append(char(v));
    return out;
}

// `count` bytes alternating between 1 and 2, so that no runs form.
QByteArray Alternating(int count) {
    QByteArray out;
    for (int i = 0; i < count; ++i) out.append(char(1 + i % 2));
    return out;
}

constexpr qsizetype kNoLimit = 1 << 20;

TEST(PcxRunLength, DecodesLiteralsRunsAndEmptyRunsAndAMarkerWithoutValueEndsTheData) {
    EXPECT_EQ(PcxDecodeRunLength(Bytes({1, 0xC3, 5, 0xBF, 0xC0, 9, 0xC1, 0xC1}), kNoLimit),
              Bytes({1, 5, 5, 5, 0xBF, 0xC1}));
    EXPECT_EQ(PcxDecodeRunLength(Bytes({7, 0xC5}), kNoLimit), Bytes({7}));

    QByteArray encoded = Alternating(1023);
    encoded.append(char(0xC4)); // a marker on the last byte of an input block keeps its value
    encoded.append(char(9));
    const QByteArray decoded = PcxDecodeRunLength(encoded, kNoLimit);
    ASSERT_EQ(decoded.size(), 1027);
    EXPECT_EQ(decoded.right(4), QByteArray(4, char(9)));
}

TEST(PcxRunLength, DecodingStopsAtThePictureSizeWithinARun) {
    // 32 MB of maximal runs would give 2 GB; only the picture's bytes come out.
    const QByteArray flood = Bytes({0xFF, 7}).repeated(16 * 1024 * 1024);
    EXPECT_EQ(PcxDecodeRunLength(flood, 100), QByteArray(100, char(7)));
    EXPECT_EQ(PcxDecodeRunLength(Bytes({1, 0xC5, 2, 3}), 4), Bytes({1, 2, 2, 2}));
    EXPECT_EQ(PcxDecodeRunLength(Bytes({1, 2}), 0), QByteArray());
}

TEST(PcxRunLength, EncodesSinglesHighValuesAndRunsOfAtMost48) {
    EXPECT_EQ(PcxEncodeRunLength(Bytes({200, 200, 200})), Bytes({0xC3, 200}));
    EXPECT_EQ(PcxEncodeRunLength(Bytes({5, 200, 6})), Bytes({5, 0xC1, 200, 6}));
    EXPECT_EQ(PcxEncodeRunLength(Bytes({4, 4})), Bytes({0xC2, 4}));
    EXPECT_EQ(PcxEncodeRunLength(QByteArray(100, char(3))), Bytes({0xF0, 3, 0xF0, 3, 0xC4, 3}));
}

TEST(PcxRunLength, ARunAtTheEndOfAFullBlockMovesToTheNextBlockButASingleByteStays) {
    QByteArray raw = Alternating(1020);
    raw.append(QByteArray(10, char(7))); // 4 in the first block, 6 in the second
    const QByteArray encoded = PcxEncodeRunLength(raw);
    EXPECT_EQ(encoded.right(2), Bytes({0xCA, 7}));
    EXPECT_EQ(encoded.size(), 1022);

    raw = Alternating(1023);
    raw.append(char(7));
    raw.append(char(7));
    EXPECT_EQ(PcxEncodeRunLength(raw).right(2), Bytes({7, 7}));
}

TEST(PcxRunLength, RoundTripsRandomData) {
    std::mt19937 random(42);
    for (int size : {0, 1, 1023, 1024, 1025, 5000}) {
        QByteArray raw;
        for (int i = 0; i < size; ++i) {
            const char value = char(random() % 4 == 0 ? random() : 0xC7);
            raw.append(QByteArray(int(random() % 70) + 1, value));
        }
        EXPECT_EQ(PcxDecodeRunLength(PcxEncodeRunLength(raw), raw.size()), raw) << "size " << size;
    }
}

} // namespace
