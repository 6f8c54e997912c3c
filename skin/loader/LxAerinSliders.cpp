#include "skin/loader/LxAerinSliders.h"

#include "skin/controls/LxSlider.h"

TLxAerinSlider::TLxAerinSlider(QWidget* skin) : m_control(new TLxSlider(skin)) { m_control->setGeometry(0, 0, 0, 0); }

int TLxAerinSlider::Maximum() const { return m_control->Maximum(); }
void TLxAerinSlider::SetMaximum(int value) { m_control->SetMaximum(value); }
int TLxAerinSlider::Position() const { return m_control->Position(); }
void TLxAerinSlider::SetPosition(int value) { m_control->SetPosition(value); }

void TLxAerinSlider::SetHint(const QString& value) {
    m_hint = value;
    UpdateToolTip();
}

void TLxAerinSlider::SetShowHint(bool value) {
    m_showHint = value;
    UpdateToolTip();
}

void TLxAerinSlider::UpdateToolTip() { m_control->setToolTip(m_showHint ? m_hint : QString()); }

TLxAerinVolume::TLxAerinVolume(QWidget* skin) : TLxAerinSlider(skin) {
    SetMaximum(100);
    SetPosition(100);
}

TLxAerinPosition::TLxAerinPosition(QWidget* skin) : TLxAerinSlider(skin) {}
