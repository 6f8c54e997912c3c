// Hand-made PCX files for the codec tests.
#pragma once

#include <QByteArray>
#include <cstdint>

inline QByteArray PcxTestHeader(int bitsPerPixel, int planes, int width, int height, int bytesPerLine) {
    QByteArray h(128, '\0');
    h[0] = 10;
    h[1] = 5;
    h[2] = 1;
    h[3] = char(bitsPerPixel);
    h[8] = char((width - 1) & 0xFF);
    h[9] = char((width - 1) >> 8);
    h[10] = char((height - 1) & 0xFF);
    h[11] = char((height - 1) >> 8);
    h[65] = char(planes);
    h[66] = char(bytesPerLine & 0xFF);
    h[67] = char(bytesPerLine >> 8);
    return h;
}

// Raw bytes as PCX data: values of 192 and more are written as runs of one.
inline QByteArray PcxTestLiterals(const QByteArray& raw) {
    QByteArray out;
    for (char c : raw) {
        if (std::uint8_t(c) >= 0xC0) out.append(char(0xC1));
        out.append(c);
    }
    return out;
}
