#pragma once

#include <QByteArray>
#include <QString>

// A key whose byte order is the natural order of `text`: letters compare
// without regard to case, and runs of digits by their numeric value, so that
// "track 2" comes before "Track 10".
QByteArray NaturalSortKey(const QString& text);
