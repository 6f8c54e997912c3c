#pragma once

#include "skin/controls/LxMouseEvents.h"

#include <QLabel>

// Common ground of the skinned labels: a plain-text caption drawn from the
// top-left corner and clipped to the bounds, background colour and
// transparency, font colour, automatic sizing to the caption, and the click,
// mouse, hover and parent colour events.
class TLxCustomLabel : public QLabel, public TLxMouseEvents {
    Q_OBJECT
public:
    explicit TLxCustomLabel(QWidget* parent = nullptr);

    QString Caption() const { return text(); }
    void SetCaption(const QString& value);

    // Background colour, painted unless Transparent.
    QColor Color() const;
    void SetColor(const QColor& value);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);

    QColor FontColor() const;
    void SetFontColor(const QColor& value);

    // When on, the label takes the size of its caption on every caption or
    // font change.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool value);

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnParentColorChange;

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

    // Runs after OnClick of a completed click.
    virtual void Clicked() {}

private:
    void FitToCaption();

    bool transparent_ = false;
    bool autoSize_ = true;
};
