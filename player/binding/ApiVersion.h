#pragma once

#include <QString>
#include <cstdint>

// The control interface version the binding speaks: 3.0, any revision.
inline constexpr uint32_t ExpectedApiMajor = 3;
inline constexpr uint32_t ExpectedApiMinor = 0;

// True when a version word (major in bits 16-23, minor in 8-15) is 3.0.x.
bool ApiVersionAccepted(uint32_t word);

// The text of the mismatch box for a refused version word.
QString ApiMismatchText(uint32_t word);
