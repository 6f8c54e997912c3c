#include "skin/picture/PcxRunLength.h"

#include <algorithm>

namespace {

constexpr unsigned char kRunMarker = 0xC0;
constexpr qsizetype kEncodeBlock = 1024;
constexpr int kMaxRun = 48;

void AppendRun(QByteArray& out, unsigned char value, int length) {
    if (length == 1 && value < kRunMarker) {
        out.append(static_cast<char>(value));
        return;
    }
    out.append(static_cast<char>(kRunMarker | length));
    out.append(static_cast<char>(value));
}

} // namespace

QByteArray PcxDecodeRunLength(QByteArrayView encoded, qsizetype limit) {
    QByteArray out;
    out.reserve(std::max<qsizetype>(0, std::min(limit, encoded.size() * 63)));
    const auto* data = reinterpret_cast<const unsigned char*>(encoded.data());
    const qsizetype size = encoded.size();
    for (qsizetype i = 0; i < size && out.size() < limit; ++i) {
        const unsigned char b = data[i];
        if (b < kRunMarker) {
            out.append(static_cast<char>(b));
            continue;
        }
        if (i + 1 >= size) break;
        out.append(std::min<qsizetype>(b & 0x3F, limit - out.size()), static_cast<char>(data[++i]));
    }
    return out;
}

QByteArray PcxEncodeRunLength(QByteArrayView raw) {
    QByteArray out;
    const auto* data = reinterpret_cast<const unsigned char*>(raw.data());
    const qsizetype size = raw.size();
    qsizetype pos = 0;
    bool fullBlock = false;
    do {
        const qsizetype blockEnd = std::min(pos + kEncodeBlock, size);
        fullBlock = blockEnd - pos == kEncodeBlock;
        while (pos < blockEnd) {
            const unsigned char value = data[pos];
            int run = 1;
            while (pos + run < blockEnd && run < kMaxRun && data[pos + run] == value) ++run;
            if (fullBlock && pos + run == blockEnd && run >= 2 && run < kMaxRun)
                break; // the next block starts with this run
            AppendRun(out, value, run);
            pos += run;
        }
    } while (fullBlock);
    return out;
}
