#pragma once

#include <QList>
#include <QStringList>
#include <QUrl>

// Paths of the local files among dropped URLs, in drop order. URLs of other
// schemes and file URLs naming another host are left out.
QStringList LocalDropPaths(const QList<QUrl>& urls);
