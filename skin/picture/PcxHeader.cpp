#include "skin/picture/PcxHeader.h"

#include <algorithm>

namespace {

std::uint16_t ReadWord(QByteArrayView bytes, int offset) {
    return std::uint16_t(std::uint8_t(bytes[offset]) | std::uint8_t(bytes[offset + 1]) << 8);
}

void WriteWord(QByteArray& bytes, int offset, std::uint16_t value) {
    bytes[offset] = char(value & 0xFF);
    bytes[offset + 1] = char(value >> 8);
}

} // namespace

TPcxHeader TPcxHeader::Parse(QByteArrayView bytes) {
    TPcxHeader h;
    h.Manufacturer = std::uint8_t(bytes[0]);
    h.Version = std::uint8_t(bytes[1]);
    h.Encoding = std::uint8_t(bytes[2]);
    h.BitsPerPixel = std::uint8_t(bytes[3]);
    h.XMin = ReadWord(bytes, 4);
    h.YMin = ReadWord(bytes, 6);
    h.XMax = ReadWord(bytes, 8);
    h.YMax = ReadWord(bytes, 10);
    h.HorizontalDpi = ReadWord(bytes, 12);
    h.VerticalDpi = ReadWord(bytes, 14);
    std::copy_n(bytes.data() + kPaletteOffset, h.Palette16.size(), h.Palette16.begin());
    h.Planes = std::uint8_t(bytes[65]);
    h.BytesPerLine = ReadWord(bytes, 66);
    h.PaletteInfo = ReadWord(bytes, 68);
    h.ScreenWidth = ReadWord(bytes, 70);
    h.ScreenHeight = ReadWord(bytes, 72);
    return h;
}

QByteArray TPcxHeader::Serialize() const {
    QByteArray bytes(kSize, '\0');
    bytes[0] = char(Manufacturer);
    bytes[1] = char(Version);
    bytes[2] = char(Encoding);
    bytes[3] = char(BitsPerPixel);
    WriteWord(bytes, 4, XMin);
    WriteWord(bytes, 6, YMin);
    WriteWord(bytes, 8, XMax);
    WriteWord(bytes, 10, YMax);
    WriteWord(bytes, 12, HorizontalDpi);
    WriteWord(bytes, 14, VerticalDpi);
    std::copy(Palette16.begin(), Palette16.end(), bytes.begin() + kPaletteOffset);
    bytes[65] = char(Planes);
    WriteWord(bytes, 66, BytesPerLine);
    WriteWord(bytes, 68, PaletteInfo);
    WriteWord(bytes, 70, ScreenWidth);
    WriteWord(bytes, 72, ScreenHeight);
    return bytes;
}
