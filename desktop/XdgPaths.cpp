#include "desktop/XdgPaths.h"

#include <QDir>

namespace {

QString BaseFolder(const char* variable, const char* fallbackUnderHome) {
    const QString value = qEnvironmentVariable(variable);
    if (!value.isEmpty() && QDir::isAbsolutePath(value)) return QDir::cleanPath(value);
    return QDir::homePath() + QLatin1Char('/') + QLatin1String(fallbackUnderHome);
}

} // namespace

QString XdgDataHome() { return BaseFolder("XDG_DATA_HOME", ".local/share"); }

QString XdgConfigHome() { return BaseFolder("XDG_CONFIG_HOME", ".config"); }
