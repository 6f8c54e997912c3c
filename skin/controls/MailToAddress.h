#pragma once

#include <QString>

struct MailToFields {
    QString Destinator;
    QString Subject;
    QString Bcc;
    QString Cc;
};

// "mailto:" and the destinator, then each non-empty field of Subject, Bcc and
// Cc in this order as "SUBJECT=", "BCC=" or "CC=" with its value, the first
// after "?", later ones after "&". Values are percent-encoded so that spaces,
// "&", "?" or "#" inside them cannot break the address apart.
QString MailToAddress(const MailToFields& fields);
