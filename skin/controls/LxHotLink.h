#pragma once

#include "skin/controls/LxLabel.h"

// A label that opens its Url in the desktop's handler when clicked (after
// OnClick). An empty or malformed Url opens nothing.
class TLxHotLink : public TLxLabel {
    Q_OBJECT
public:
    explicit TLxHotLink(QWidget* parent = nullptr);

    QString Url() const { return url_; }
    void SetUrl(const QString& value) { url_ = value; }

protected:
    void Clicked() override;

private:
    QString url_;
};
