// Fonts named by skins.
#pragma once

#include <QFont>
#include <QString>
#include <functional>

// Font sizes of skin labels are kept within these points.
inline constexpr int kMinSkinFontSize = 1;
inline constexpr int kMaxSkinFontSize = 200;

// The fitting rule: from `startSize` down, the first size whose text height
// (as `textHeight` measures it) is at most `labelHeight`, stopping at
// kMinSkinFontSize; a label of height 0 or less keeps `startSize`. Sizes are
// kept within kMinSkinFontSize ... kMaxSkinFontSize.
int FitSkinFontSize(int startSize, int labelHeight, const std::function<int(int pointSize)>& textHeight);

// Pixel height of the sample text in `family` at `pointSize`.
int SkinFontSampleHeight(const QString& family, int pointSize);

// When the system has no font `family`, maps it to an installed free font of
// the same kind with QFont::insertSubstitutions. Names already mapped or
// present are left alone.
void SubstituteMissingSkinFont(const QString& family);
