#pragma once

#include "skin/controls/HintColorSwap.h"
#include "skin/controls/LxEvents.h"

#include <QMenu>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>

// A push button with a glyph that, while hovered, shows its own tooltip colour,
// GlyphOnEnter instead of its glyph, and (with FontEffect) a bold caption. A
// click raises OnClick, then drops DropDownMenu down just below the button.
class TLxBitBtn : public QPushButton {
    Q_OBJECT
public:
    explicit TLxBitBtn(QWidget* parent = nullptr);

    QString Caption() const { return text(); }
    void SetCaption(const QString& value) { setText(value); }

    QPixmap Glyph() const { return glyph_; }
    void SetGlyph(const QPixmap& value);
    QPixmap GlyphOnEnter() const { return glyphOnEnter_; }
    void SetGlyphOnEnter(const QPixmap& value) { glyphOnEnter_ = value; }

    bool FontEffect() const { return fontEffect_; }
    void SetFontEffect(bool value) { fontEffect_ = value; }
    QColor HintColor() const { return hintColor_; }
    void SetHintColor(const QColor& value) { hintColor_ = value; }
    QColor SavedHintColor() const { return hintSwap_.SavedHintColor(); }

    // Not owned; the menu's owner keeps it alive.
    QMenu* DropDownMenu() const { return dropDownMenu_; }
    void SetDropDownMenu(QMenu* value) { dropDownMenu_ = value; }

    // What a click of the user does.
    void Click();

    TNotifyEvent OnClick;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnParentColorChange;

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void PointerEntered();
    void PointerLeft();
    void SetBold(bool bold);

    HintColorSwap hintSwap_;
    QPixmap glyph_;
    QPixmap glyphOnEnter_;
    QPixmap glyphAside_;
    QColor hintColor_;
    QPointer<QMenu> dropDownMenu_;
    bool fontEffect_ = true;
    bool hovering_ = false;
    bool glyphIsAside_ = false;
};
