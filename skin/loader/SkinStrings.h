// File names, resource names, INI key names and texts of the skin loader.
#pragma once

namespace skin_strings {

// Pictures of a skin directory by name without extension; each may be a
// BMP, JPEG or PCX file, the names matched in any letter case.
inline constexpr const char* kBackFile = "back";
inline constexpr const char* kDeactFile = "deact";
inline constexpr const char* kInfoFile = "info";
inline constexpr const char* kMaskFile = "mask";
inline constexpr const char* kOverFile = "over";
inline constexpr const char* kPosRulerFile = "posruler";
inline constexpr const char* kPosThumbFile = "posthumb";
inline constexpr const char* kVolRulerFile = "volruler";
inline constexpr const char* kVolThumbFile = "volthumb";
// Extensions tried in this order.
inline constexpr std::array<const char*, 4> kPictureExtensions = {".bmp", ".jpg", ".jpeg", ".pcx"};
inline constexpr const char* kAboutTextFile = "info.txt";

// Resources of the built-in skin.
inline constexpr const char* kResMain = ":/LxAerinSkin/MAIN";
inline constexpr const char* kResBack = ":/LxAerinSkin/BACK";
inline constexpr const char* kResDeact = ":/LxAerinSkin/DEACT";
inline constexpr const char* kResInfo = ":/LxAerinSkin/INFO";
inline constexpr const char* kResPosRuler = ":/LxAerinSkin/POSRULER";
inline constexpr const char* kResPosThumb = ":/LxAerinSkin/POSTHUMB";
inline constexpr const char* kResVolRuler = ":/LxAerinSkin/VOLRULER";
inline constexpr const char* kResVolThumb = ":/LxAerinSkin/VOLTHUMB";
inline constexpr const char* kResMask = ":/LxAerinSkin/MASK";
inline constexpr const char* kResOver = ":/LxAerinSkin/OVER";
inline constexpr const char* kResAboutText = ":/LxAerinSkin/INFOT";

// Layout INI: the section and the property suffixes (the controls' prefixes
// are in SkinLayout.h).
inline constexpr const char* kSection = "main";
inline constexpr const char* kTop = "top";
inline constexpr const char* kLeft = "left";
inline constexpr const char* kWidth = "width";
inline constexpr const char* kHeight = "height";
inline constexpr const char* kVertical = "vertical";
inline constexpr const char* kTransparent = "transparent";
inline constexpr const char* kFont = "font";
inline constexpr const char* kFontSize = "fontsize";
inline constexpr const char* kColor = "color";
inline constexpr const char* kBkColor = "bkcolor";

inline constexpr const char* kDefaultFont = "arial";
inline constexpr int kDefaultFontSize = 8;
inline constexpr const char* kFontSample = "abcdefghijklmnopqrstuvwxyz0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ+-*/|";

// Captions the labels start with.
inline constexpr const char* kStatusCaption = "Status";
inline constexpr const char* kCurrentTimeCaption = "00:00";
inline constexpr const char* kLayerCaption = "-";
inline constexpr const char* kBitrateCaption = "-";
inline constexpr const char* kFrequencyCaption = "-";
inline constexpr const char* kVersionCaption = "1.0";
inline constexpr const char* kSongNameCaption = "none";
inline constexpr const char* kTotalTimeCaption = "00:00";
inline constexpr const char* kTotalInfoCaption = "Info";

inline constexpr const char* kAboutTitle = "About";

// Errors.
inline constexpr const char* kBitmapNotValid = "Bitmap image is not valid: %1";
inline constexpr const char* kNoBackground =
    "The skin in %1 has no background picture (back.bmp, back.jpg or back.pcx)";
inline constexpr const char* kCannotReadFile = "Cannot read file %1";
inline constexpr const char* kBuiltInSkinBroken = "The built-in skin is damaged: %1";

} // namespace skin_strings
