#include "skin/controls/MailToAddress.h"

#include <QUrl>

namespace {

// Characters left as they are inside address lists.
const QByteArray kAddressListChars = "@,;+";

QString Encoded(const QString& value, const QByteArray& keep) {
    return QString::fromLatin1(QUrl::toPercentEncoding(value, keep));
}

} // namespace

QString MailToAddress(const MailToFields& fields) {
    struct Field {
        const char* name;
        const QString& value;
        QByteArray keep;
    };
    const Field optional[] = {
        {"SUBJECT=", fields.Subject, {}},
        {"BCC=", fields.Bcc, kAddressListChars},
        {"CC=", fields.Cc, kAddressListChars},
    };
    QString address = QStringLiteral("mailto:") + Encoded(fields.Destinator, kAddressListChars);
    QChar separator = QLatin1Char('?');
    for (const Field& field : optional) {
        if (field.value.isEmpty()) continue;
        address += separator + QLatin1String(field.name) + Encoded(field.value, field.keep);
        separator = QLatin1Char('&');
    }
    return address;
}
