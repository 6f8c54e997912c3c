// The skin's volume and position sliders.
#pragma once

#include "skin/controls/LxEvents.h"

#include <QString>

class QWidget;
class TLxSlider;

class TLxAerinSlider {
public:
    TLxAerinSlider(const TLxAerinSlider&) = delete;
    TLxAerinSlider& operator=(const TLxAerinSlider&) = delete;

    int Maximum() const;
    void SetMaximum(int value);
    int Position() const;
    void SetPosition(int value);
    QString Hint() const { return m_hint; }
    void SetHint(const QString& value);
    bool ShowHint() const { return m_showHint; }
    void SetShowHint(bool value);

    TLxSlider* Control() const { return m_control; }

protected:
    explicit TLxAerinSlider(QWidget* skin);

private:
    void UpdateToolTip();

    TLxSlider* m_control; // owned by the skin widget
    QString m_hint;
    bool m_showHint = false;
};

// Starts at Maximum 100, Position 100.
class TLxAerinVolume : public TLxAerinSlider {
public:
    explicit TLxAerinVolume(QWidget* skin);
};

// Starts at Maximum 100, Position 0.
class TLxAerinPosition : public TLxAerinSlider {
public:
    explicit TLxAerinPosition(QWidget* skin);
};
