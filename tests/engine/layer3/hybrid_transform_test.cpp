// The fast IMDCT, windows and overlap against a direct double-precision
// evaluation of the ISO formulas. Mixed blocks, silent subbands and alias
// reduction are covered by the conformance streams (l3-he_mode).
#include "codec/layer3/hybrid_transform.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

namespace zk::test {
namespace {

const double kPi = std::acos(-1.0);

double long_window(int block_type, int i) {
    auto sine36 = [](int k) { return std::sin(kPi / 36 * (k + 0.5)); };
    auto sine12 = [](int k) { return std::sin(kPi / 12 * (k + 0.5)); };
    switch (block_type) {
    case 0: return sine36(i);
    case 1: return i < 18 ? sine36(i) : i < 24 ? 1.0 : i < 30 ? sine12(i - 18) : 0.0;
    default: return i < 6 ? 0.0 : i < 12 ? sine12(i - 6) : i < 18 ? 1.0 : sine36(i);
    }
}

// Windowed IMDCT output of one subband (36 values), ISO 11172-3 2.4.3.4.10.
std::vector<double> direct_block(const float* lines, int block_type) {
    std::vector<double> z(36, 0.0);
    if (block_type != 2) {
        for (int i = 0; i < 36; ++i) {
            double x = 0;
            for (int k = 0; k < 18; ++k) x += lines[k] * std::cos(kPi / 72 * (2 * i + 1 + 18) * (2 * k + 1));
            z[i] = x * long_window(block_type, i);
        }
        return z;
    }
    for (int w = 0; w < 3; ++w)
        for (int i = 0; i < 12; ++i) {
            double x = 0;
            for (int k = 0; k < 6; ++k) x += lines[3 * k + w] * std::cos(kPi / 24 * (2 * i + 1 + 6) * (2 * k + 1));
            z[6 + 6 * w + i] += x * std::sin(kPi / 12 * (i + 0.5));
        }
    return z;
}

TEST(HybridTransform, SubbandMatchesTheDirectImdctWithWindowOverlapAndInversion) {
    std::mt19937 random(11);
    std::uniform_real_distribution<float> value(-1000.0f, 1000.0f);
    for (int block_type : {0, 1, 2, 3})
        for (int subband : {0, 1, 6, 31}) {
            float lines[18], overlap[18], previous[18];
            for (int i = 0; i < 18; ++i) {
                lines[i] = value(random);
                previous[i] = overlap[i] = value(random);
            }
            std::vector<float> output(18 * 32, 0.0f);
            transform_subband(lines, block_type, subband, overlap, output.data());

            const std::vector<double> z = direct_block(lines, block_type);
            for (int t = 0; t < 18; ++t) {
                // Odd subbands come out with every odd sample negated; the
                // overlap is kept as it comes out, inverted already.
                const double sign = (subband & 1) && (t & 1) ? -1.0 : 1.0;
                EXPECT_NEAR(output[t * 32], previous[t] + sign * z[t], 0.02)
                    << "block type " << block_type << " subband " << subband << " slot " << t;
                EXPECT_NEAR(overlap[t], sign * z[18 + t], 0.02)
                    << "block type " << block_type << " subband " << subband << " overlap " << t;
            }
        }
}

} // namespace
} // namespace zk::test
