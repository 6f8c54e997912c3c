#include "tags/Windows1252.h"

namespace Windows1252 {
namespace {

// The characters of 0x80 ... 0x9F; 0 where the encoding defines none.
constexpr char16_t kHigh[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

} // namespace

QString Decode(const QByteArray& bytes) {
    QString text;
    text.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        const char16_t mapped = value >= 0x80 && value < 0xA0 ? kHigh[value - 0x80] : 0;
        text.append(QChar(mapped ? mapped : char16_t(value)));
    }
    return text;
}

std::optional<char> Byte(QChar character) {
    const char16_t unit = character.unicode();
    // Latin-1's own, and the undefined bytes Decode reads as themselves.
    if (unit <= 0xFF && (unit < 0x80 || unit >= 0xA0 || kHigh[unit - 0x80] == 0)) return static_cast<char>(unit);
    for (int i = 0; i < 32; ++i) {
        if (kHigh[i] == unit) return static_cast<char>(0x80 + i);
    }
    return std::nullopt;
}

} // namespace Windows1252
