#include "playlist/NaturalOrder.h"

namespace {

bool IsDigit(QChar c) { return c >= u'0' && c <= u'9'; }

} // namespace

// Each run of digits becomes its length without leading zeros, written in
// four digits, then those digits: a longer number sorts later, numbers of one
// length by their digits. Lengths beyond 9999 digits share the longest code.
QByteArray NaturalSortKey(const QString& text) {
    const QString folded = text.toCaseFolded();
    QString key;
    key.reserve(folded.size() + 8);
    qsizetype i = 0;
    while (i < folded.size()) {
        if (!IsDigit(folded.at(i))) {
            key.append(folded.at(i++));
            continue;
        }
        while (i + 1 < folded.size() && folded.at(i) == u'0' && IsDigit(folded.at(i + 1))) ++i;
        const qsizetype start = i;
        while (i < folded.size() && IsDigit(folded.at(i))) ++i;
        const qsizetype length = i - start;
        key.append(QString::number(qMin<qsizetype>(length, 9999)).rightJustified(4, u'0'));
        key.append(QStringView(folded).mid(start, length));
    }
    return key.toUtf8();
}
