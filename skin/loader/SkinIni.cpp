#include "skin/loader/SkinIni.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>

TSkinIni TSkinIni::FromText(QByteArrayView text) {
    TSkinIni ini;
    QHash<QString, QString>* section = nullptr;
    const QStringList lines = QString::fromUtf8(text).split(QRegularExpression("\r\n|\n|\r"));
    for (const QString& raw : lines) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(u';') || line.startsWith(u'#')) continue;
        if (line.startsWith(u'[')) {
            const qsizetype close = line.indexOf(u']');
            const QString name = line.mid(1, close < 0 ? -1 : close - 1).trimmed().toLower();
            section = &ini.m_sections[name];
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (!section || equals <= 0) continue;
        const QString key = line.left(equals).trimmed().toLower();
        QString value = line.mid(equals + 1).trimmed();
        if (value.size() >= 2 && value.front() == value.back() && (value.front() == u'"' || value.front() == u'\''))
            value = value.mid(1, value.size() - 2);
        if (!section->contains(key)) section->insert(key, value);
    }
    return ini;
}

TSkinIni TSkinIni::FromFile(const QString& name) {
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return FromText(file.readAll());
}

std::optional<QString> TSkinIni::Find(const QString& section, const QString& key) const {
    const auto s = m_sections.constFind(section.toLower());
    if (s == m_sections.constEnd()) return std::nullopt;
    const auto k = s->constFind(key.toLower());
    if (k == s->constEnd()) return std::nullopt;
    return *k;
}

QString TSkinIni::ReadString(const QString& section, const QString& key, const QString& fallback) const {
    return Find(section, key).value_or(fallback);
}

std::int32_t TSkinIni::ReadInteger(const QString& section, const QString& key, std::int32_t fallback) const {
    const std::optional<QString> value = Find(section, key);
    if (!value) return fallback;
    return ParseInteger(*value).value_or(fallback);
}

bool TSkinIni::ReadBool(const QString& section, const QString& key, bool fallback) const {
    return ReadInteger(section, key, fallback ? 1 : 0) != 0;
}

std::optional<std::int32_t> TSkinIni::ParseInteger(QString text) {
    text = text.trimmed();
    bool negative = false;
    if (text.startsWith(u'-') || text.startsWith(u'+')) {
        negative = text.front() == u'-';
        text.remove(0, 1);
    }
    int base = 10;
    if (text.startsWith(u'$')) {
        base = 16;
        text.remove(0, 1);
    } else if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        base = 16;
        text.remove(0, 2);
    }
    if (text.isEmpty() || text.front() == u'+' || text.front() == u'-' || text.front().isSpace()) return std::nullopt;
    bool ok = false;
    const qulonglong magnitude = text.toULongLong(&ok, base);
    if (!ok) return std::nullopt;
    if (negative) {
        if (magnitude > 0x80000000ULL) return std::nullopt;
        return static_cast<std::int32_t>(-static_cast<std::int64_t>(magnitude));
    }
    if (magnitude > 0xFFFFFFFFULL) return std::nullopt;
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(magnitude));
}
