#include "player/mainform/LabelTexts.h"

#include "player/mainform/MainFormStrings.h"

namespace S = MainFormStrings;

QString TwoDigits(int64_t value) {
    const QString digits = QString::number(value);
    return value > 9 ? digits : u'0' + digits;
}

QString MinutesSeconds(int64_t seconds) { return TwoDigits(seconds / 60) + u':' + TwoDigits(seconds % 60); }

QString LayerText(int layer) { return QString::fromUtf8(S::LayerPrefix) + QString::number(layer); }

QString BitrateText(int kbits) { return QString::number(kbits) + QString::fromUtf8(S::BitrateSuffix); }

QString FrequencyText(int hertz) { return QString::number(hertz / 1000) + QString::fromUtf8(S::FrequencySuffix); }

QString SongNameOf(const QString& displayText) {
    constexpr qsizetype kExtensionLength = 4;
    return displayText.size() > kExtensionLength ? displayText.chopped(kExtensionLength) : QString();
}
