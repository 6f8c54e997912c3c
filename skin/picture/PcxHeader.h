// The 128-byte header of a PCX file.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <array>
#include <cstdint>

struct TPcxHeader {
    static constexpr int kSize = 128;
    static constexpr std::uint8_t kManufacturer = 10;
    static constexpr int kPaletteOffset = 16;
    static constexpr int kPaletteEntries = 16;

    std::uint8_t Manufacturer = kManufacturer;
    std::uint8_t Version = 5;
    std::uint8_t Encoding = 1;
    std::uint8_t BitsPerPixel = 0;
    std::uint16_t XMin = 0, YMin = 0, XMax = 0, YMax = 0;
    std::uint16_t HorizontalDpi = 0, VerticalDpi = 0;
    std::array<std::uint8_t, 48> Palette16{}; // 16 x (red, green, blue)
    std::uint8_t Planes = 0;
    std::uint16_t BytesPerLine = 0;
    std::uint16_t PaletteInfo = 0;
    std::uint16_t ScreenWidth = 0, ScreenHeight = 0;

    int Width() const { return int(XMax) - int(XMin) + 1; }
    int Height() const { return int(YMax) - int(YMin) + 1; }

    // Reads the first 128 bytes; the caller checks that they are there.
    static TPcxHeader Parse(QByteArrayView bytes);
    QByteArray Serialize() const;
};
