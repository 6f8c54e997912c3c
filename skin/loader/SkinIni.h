// Read-only INI text: sections and keys matched without regard to case, the
// first occurrence of a key winning, integer values decimal or hexadecimal
// ("$1F", "0x1F").
#pragma once

#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <cstdint>
#include <optional>

class TSkinIni {
public:
    TSkinIni() = default;
    static TSkinIni FromText(QByteArrayView text);
    // A missing or unreadable file reads as a file without keys.
    static TSkinIni FromFile(const QString& name);

    QString ReadString(const QString& section, const QString& key, const QString& fallback) const;
    // A value that is no number in 32 bits gives `fallback`.
    std::int32_t ReadInteger(const QString& section, const QString& key, std::int32_t fallback) const;
    bool ReadBool(const QString& section, const QString& key, bool fallback) const;

    // Integer text as above: optional sign, decimal or "$"/"0x" hexadecimal;
    // values from -2^31 to 2^32 - 1, the upper half taken as their 32 bits.
    static std::optional<std::int32_t> ParseInteger(QString text);

private:
    std::optional<QString> Find(const QString& section, const QString& key) const;

    QHash<QString, QHash<QString, QString>> m_sections; // lower-case names
};
