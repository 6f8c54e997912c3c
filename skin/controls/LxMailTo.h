#pragma once

#include "skin/controls/LxLabel.h"
#include "skin/controls/MailToAddress.h"

// A label that opens a new mail in the desktop's mail program when clicked
// (after OnClick), addressed to MailDestinator with the non-empty subject,
// blind and carbon copies.
class TLxMailTo : public TLxLabel {
    Q_OBJECT
public:
    explicit TLxMailTo(QWidget* parent = nullptr);

    QString MailSubject() const { return fields_.Subject; }
    void SetMailSubject(const QString& value) { fields_.Subject = value; }
    QString MailDestinator() const { return fields_.Destinator; }
    void SetMailDestinator(const QString& value) { fields_.Destinator = value; }
    QString MailBcc() const { return fields_.Bcc; }
    void SetMailBcc(const QString& value) { fields_.Bcc = value; }
    QString MailCC() const { return fields_.Cc; }
    void SetMailCC(const QString& value) { fields_.Cc = value; }

protected:
    void Clicked() override;

private:
    MailToFields fields_;
};
