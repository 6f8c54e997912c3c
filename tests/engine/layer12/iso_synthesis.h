// Straight double-precision evaluation of the ISO synthesis (shift,
// matrixing, windowing), in 16-bit units before rounding and clipping.
#pragma once

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace zk::test {

class IsoSynthesis {
public:
    IsoSynthesis() {
        std::ifstream in(std::string(TAERIN_ISO_TABLES_DIR) + "/synth_window_D.txt");
        std::string line;
        while (std::getline(in, line)) {
            if (line.empty() || line[0] == '#') continue;
            std::istringstream fields(line);
            int index;
            double value;
            fields >> index >> value;
            d_.push_back(std::round(value * 65536.0) / 65536.0); // exact multiples of 2^-16
        }
    }
    bool ready() const { return d_.size() == 512; }

    void run(const float subbands[32], double out[32]) {
        for (int i = 1023; i >= 64; --i) v_[i] = v_[i - 64];
        for (int i = 0; i < 64; ++i) {
            double sum = 0;
            for (int k = 0; k < 32; ++k) sum += std::cos((16 + i) * (2 * k + 1) * M_PI / 64) * subbands[k];
            v_[i] = sum;
        }
        double u[512];
        for (int i = 0; i < 8; ++i)
            for (int j = 0; j < 32; ++j) {
                u[i * 64 + j] = v_[i * 128 + j];
                u[i * 64 + 32 + j] = v_[i * 128 + 96 + j];
            }
        for (int j = 0; j < 32; ++j) {
            double sum = 0;
            for (int i = 0; i < 16; ++i) sum += u[j + 32 * i] * d_[j + 32 * i];
            out[j] = sum * 32768.0;
        }
    }

private:
    std::vector<double> d_;
    double v_[1024] = {};
};

} // namespace zk::test
