#include "skin/loader/SkinFonts.h"

#include "skin/loader/SkinStrings.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QStringList>
#include <algorithm>

namespace {

// Free replacements for the faces skins commonly name, best first.
QStringList ReplacementsFor(const QString& family) {
    const QString name = family.toLower();
    static const QStringList sans = {"Liberation Sans", "DejaVu Sans", "FreeSans"};
    static const QStringList serif = {"Liberation Serif", "DejaVu Serif", "FreeSerif"};
    static const QStringList mono = {"Liberation Mono", "DejaVu Sans Mono", "FreeMono"};
    // Display faces of skins (LCD-like digits) read best in a monospaced face.
    static const QStringList display = {"DejaVu Sans Mono", "Liberation Mono", "FreeMono"};
    if (name.contains("courier") || name.contains("mono") || name.contains("console") || name.contains("fixed"))
        return mono;
    if (name.contains("times") || name.contains("georgia") || name.contains("serif") || name.contains("garamond"))
        return serif;
    if (name.contains("lingonvecka") || name.contains("lcd") || name.contains("digital")) return display;
    return sans;
}

} // namespace

int FitSkinFontSize(int startSize, int labelHeight, const std::function<int(int pointSize)>& textHeight) {
    int size = std::clamp(startSize, kMinSkinFontSize, kMaxSkinFontSize);
    if (labelHeight <= 0) return size;
    while (size > kMinSkinFontSize && textHeight(size) > labelHeight) --size;
    return size;
}

int SkinFontSampleHeight(const QString& family, int pointSize) {
    QFont font(family);
    font.setPointSize(std::max(pointSize, kMinSkinFontSize));
    return QFontMetrics(font).boundingRect(QString::fromLatin1(skin_strings::kFontSample)).height();
}

void SubstituteMissingSkinFont(const QString& family) {
    if (family.isEmpty() || QFontDatabase::hasFamily(family) || !QFont::substitutes(family).isEmpty()) return;
    QStringList installed;
    for (const QString& candidate : ReplacementsFor(family))
        if (QFontDatabase::hasFamily(candidate)) installed.append(candidate);
    if (!installed.isEmpty()) QFont::insertSubstitutions(family, installed);
}
