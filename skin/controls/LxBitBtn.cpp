#include "skin/controls/LxBitBtn.h"

#include "skin/controls/ParentColorWatch.h"

#include <QEvent>
#include <QMenu>

TLxBitBtn::TLxBitBtn(QWidget* parent) : QPushButton(parent), hintColor_(HintColorSwap::SystemHintColor()) {
    connect(this, &QPushButton::clicked, this, &TLxBitBtn::Click);
    new ParentColorWatch(this, [this] { Raise(OnParentColorChange, this); });
}

void TLxBitBtn::SetGlyph(const QPixmap& value) {
    glyph_ = value;
    setIcon(QIcon(value));
    if (!value.isNull()) setIconSize(value.size());
}

void TLxBitBtn::Click() {
    Raise(OnClick, this);
    if (!dropDownMenu_) return;
    connect(dropDownMenu_, &QMenu::aboutToHide, this, &TLxBitBtn::PointerLeft, Qt::SingleShotConnection);
    dropDownMenu_->popup(mapToGlobal(QPoint(0, height())));
}

void TLxBitBtn::enterEvent(QEnterEvent* event) {
    QPushButton::enterEvent(event);
    PointerEntered();
}

void TLxBitBtn::leaveEvent(QEvent* event) {
    QPushButton::leaveEvent(event);
    PointerLeft();
}

void TLxBitBtn::PointerEntered() {
    if (!hovering_) {
        hovering_ = true;
        hintSwap_.Enter(hintColor_);
        if (!glyphOnEnter_.isNull()) {
            glyphAside_ = glyph_;
            glyphIsAside_ = true;
            SetGlyph(glyphOnEnter_);
        }
        if (fontEffect_) SetBold(true);
    }
    Raise(OnMouseEnter, this);
}

void TLxBitBtn::PointerLeft() {
    if (hovering_) {
        hintSwap_.Leave();
        hovering_ = false;
        if (glyphIsAside_) {
            SetGlyph(glyphAside_);
            glyphAside_ = QPixmap();
            glyphIsAside_ = false;
        }
        if (fontEffect_) SetBold(false);
    }
    Raise(OnMouseLeave, this);
}

void TLxBitBtn::SetBold(bool bold) {
    QFont f = font();
    f.setBold(bold);
    setFont(f);
}
