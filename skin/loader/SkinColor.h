// Skin colour values: 0x00BBGGRR, or a system colour (high bit set) whose low
// byte is the system colour index.
#pragma once

#include <QColor>
#include <QPalette>
#include <cstdint>

QColor SkinColor(std::uint32_t value, const QPalette& system);
