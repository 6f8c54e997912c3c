// Messages of the picture codecs.
#pragma once

namespace picture_strings {

inline constexpr const char* kPcxNotValid = "PCX : This isn't a valid PCX file";
inline constexpr const char* kPcxUnknownFormat = "PCX : unknow format";
inline constexpr const char* kPcxBadSize = "PCX : Invalid image size";
inline constexpr const char* kPcxTooLarge = "PCX : Image too large";
inline constexpr const char* kPcxCannotOpen = "PCX : Cannot open file %1";
inline constexpr const char* kPcxCannotCreate = "PCX : Cannot create file %1";
inline constexpr const char* kPcxWriteFailed = "PCX : Cannot write file";

inline constexpr const char* kJpegPrefix = "JPEG : ";
inline constexpr const char* kJpegEmpty = "JPEG : no data";
inline constexpr const char* kJpegTooLarge = "JPEG : Image too large";

inline constexpr const char* kPcxFormatName = "pcx";

} // namespace picture_strings
