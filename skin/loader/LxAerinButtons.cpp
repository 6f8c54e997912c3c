#include "skin/loader/LxAerinButtons.h"

#include "skin/controls/LxImage.h"

TLxAerinButton::TLxAerinButton(QWidget* skin) : m_control(new TLxImage(skin)), m_popupMenu(m_control) {
    m_control->setGeometry(0, 0, 0, 0);
}

void TLxAerinButton::SetHint(const QString& value) {
    m_hint = value;
    UpdateToolTip();
}

void TLxAerinButton::SetShowHint(bool value) {
    m_showHint = value;
    UpdateToolTip();
}

void TLxAerinButton::UpdateToolTip() { m_control->setToolTip(m_showHint ? m_hint : QString()); }

bool TLxAerinButton::Enabled() const { return m_control->isEnabled(); }
void TLxAerinButton::SetEnabled(bool value) { m_control->setEnabled(value); }

void TLxAerinButton::SetVisible(bool value) {
    m_visible = value;
    m_control->setVisible(value);
}

TMouseMoveEvent& TLxAerinButton::OnMouseMove() { return m_control->OnMouseMove; }
TMouseEvent& TLxAerinButton::OnMouseDown() { return m_control->OnMouseDown; }
TMouseEvent& TLxAerinButton::OnMouseUp() { return m_control->OnMouseUp; }
TNotifyEvent& TLxAerinButton::OnClick() { return m_control->OnClick; }
TNotifyEvent& TLxAerinButton::OnDblClick() { return m_control->OnDblClick; }

TLxAerinButtons::TLxAerinButtons(QWidget* skin) {
    for (auto& button : m_buttons) button = std::make_unique<TLxAerinButton>(skin);
}
