#include "player/mainform/LabelTexts.h"

#include "player/mainform/MainFormStrings.h"

#include <QRegularExpression>

namespace S = MainFormStrings;

QString TwoDigits(int64_t value) {
    const QString digits = QString::number(value);
    return value > 9 ? digits : u'0' + digits;
}

QString MinutesSeconds(int64_t seconds) { return TwoDigits(seconds / 60) + u':' + TwoDigits(seconds % 60); }

QString LayerText(int layer) { return QString::fromUtf8(S::LayerPrefix) + QString::number(layer); }

QString BitrateText(int kbits) { return QString::number(kbits) + QString::fromUtf8(S::BitrateSuffix); }

QString FrequencyText(int hertz) {
    // Up to three decimals, without trailing zeros: 44100 -> "44.1", 48000 -> "48".
    QString kilohertz = QString::number(hertz / 1000.0, 'f', 3);
    while (kilohertz.endsWith(u'0')) kilohertz.chop(1);
    if (kilohertz.endsWith(u'.')) kilohertz.chop(1);
    return kilohertz + QString::fromUtf8(S::FrequencySuffix);
}

QString SongNameOf(const QString& displayText) {
    static const QRegularExpression extension(QStringLiteral("\\.[A-Za-z0-9]{1,4}$"));
    QString name = displayText;
    name.remove(extension);
    return name;
}
