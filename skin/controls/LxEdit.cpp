#include "skin/controls/LxEdit.h"

#include "skin/controls/ParentColorWatch.h"
#include "skin/controls/PixelWidthLimit.h"

#include <QApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QSettings>

TLxEdit::TLxEdit(QWidget* parent)
    : QLineEdit(parent), hintColor_(HintColorSwap::SystemHintColor()), maxPixelFont_(font()) {
    connect(this, &QLineEdit::textChanged, this, &TLxEdit::TextChanged);
    new ParentColorWatch(this, [this] { Raise(OnParentColorChange, this); });
}

void TLxEdit::SetCtl3D(bool value) {
    if (value == hasFrame()) return;
    setFrame(value);
    Raise(OnCtl3DChanged, this);
}

void TLxEdit::SetAutoCtl3d(bool value) {
    autoCtl3d_ = value;
    if (value) SetCtl3D(false);
}

void TLxEdit::SetAutoSave(bool value) {
    autoSave_ = value;
    Restore();
}

void TLxEdit::SetRegPath(const QString& value) {
    regPath_ = value;
    Restore();
}

void TLxEdit::SetRegValueName(const QString& value) {
    regValueName_ = value;
    Restore();
}

void TLxEdit::SetMaxPixelLength(int value) {
    maxPixelLength_ = value;
    CutToPixelLimit();
}

void TLxEdit::SetMaxPixelFont(const QFont& value) {
    maxPixelFont_ = value;
    CutToPixelLimit();
}

bool TLxEdit::SavesText() const { return autoSave_ && !regPath_.isEmpty() && !regValueName_.isEmpty(); }

QString TLxEdit::SettingsKey() const {
    QString group = regPath_;
    group.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return group + QLatin1Char('/') + regValueName_;
}

void TLxEdit::Restore() {
    if (!SavesText()) return;
    const QSettings settings;
    const QVariant saved = settings.value(SettingsKey());
    if (!saved.isValid()) return;
    setText(saved.toString());
    Raise(OnRestored, this);
}

bool TLxEdit::CutToPixelLimit() {
    if (maxPixelLength_ <= 0) return false;
    const QFontMetrics metrics(maxPixelFont_);
    const QString current = text();
    const qsizetype fitting = FittingPrefixLength(
        current, maxPixelLength_, [&metrics](const QString& s) { return metrics.horizontalAdvance(s); });
    if (fitting == current.size()) return false;
    QApplication::beep();
    setText(current.left(fitting));
    setCursorPosition(int(fitting));
    return true;
}

void TLxEdit::TextChanged() {
    if (CutToPixelLimit()) return;
    if (SavesText()) {
        QSettings settings;
        settings.setValue(SettingsKey(), text());
    }
    Raise(OnChange, this);
}

void TLxEdit::enterEvent(QEnterEvent* event) {
    QLineEdit::enterEvent(event);
    hintSwap_.Enter(hintColor_);
    if (autoCtl3d_) SetCtl3D(true);
    Raise(OnMouseEnter, this);
}

void TLxEdit::leaveEvent(QEvent* event) {
    QLineEdit::leaveEvent(event);
    hintSwap_.Leave();
    if (autoCtl3d_) SetCtl3D(false);
    Raise(OnMouseLeave, this);
}
