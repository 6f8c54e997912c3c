#pragma once

#include "skin/controls/HintColorSwap.h"
#include "skin/controls/LxEvents.h"

#include <QFont>
#include <QLineEdit>

// A single-line edit with the hover tooltip colour, an optional 3-D look only
// while hovered (AutoCtl3d), a text width limit in pixels of MaxPixelFont, and
// AutoSave: the text is kept in the user's settings under RegPath/RegValueName
// and restored from there.
class TLxEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TLxEdit(QWidget* parent = nullptr);

    QString Text() const { return text(); }
    void SetText(const QString& value) { setText(value); }
    bool IsEmpty() const { return text().isEmpty(); }

    // Left, right or centre.
    Qt::Alignment Alignment() const { return alignment(); }
    void SetAlignment(Qt::Alignment value) { setAlignment(value); }

    // The 3-D look is the sunken frame.
    bool Ctl3D() const { return hasFrame(); }
    void SetCtl3D(bool value);
    bool AutoCtl3d() const { return autoCtl3d_; }
    void SetAutoCtl3d(bool value);

    QColor HintColor() const { return hintColor_; }
    void SetHintColor(const QColor& value) { hintColor_ = value; }
    QColor SavedHintColor() const { return hintSwap_.SavedHintColor(); }

    bool AutoSave() const { return autoSave_; }
    void SetAutoSave(bool value);
    // Settings group, "\" or "/" separated, and the value name in it.
    QString RegPath() const { return regPath_; }
    void SetRegPath(const QString& value);
    QString RegValueName() const { return regValueName_; }
    void SetRegValueName(const QString& value);

    // 0 means no limit.
    int MaxPixelLength() const { return maxPixelLength_; }
    void SetMaxPixelLength(int value);
    QFont MaxPixelFont() const { return maxPixelFont_; }
    void SetMaxPixelFont(const QFont& value);

    TNotifyEvent OnChange;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnCtl3DChanged;
    TNotifyEvent OnParentColorChange;
    TNotifyEvent OnRestored;

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void TextChanged();
    // Cuts an over-long text; true when it did (the cut is a change of its own).
    bool CutToPixelLimit();
    bool SavesText() const;
    QString SettingsKey() const;
    void Restore();

    HintColorSwap hintSwap_;
    QColor hintColor_;
    QString regPath_;
    QString regValueName_;
    QFont maxPixelFont_;
    int maxPixelLength_ = 0;
    bool autoCtl3d_ = false;
    bool autoSave_ = false;
};
