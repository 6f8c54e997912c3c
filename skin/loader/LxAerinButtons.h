// The skin's buttons: invisible hit areas on the face that show their piece of
// the hover sheet while the pointer is over them.
#pragma once

#include "skin/controls/LxEvents.h"
#include "skin/loader/PopupMenuBinding.h"
#include "skin/loader/SkinLayout.h"

#include <QString>
#include <array>
#include <memory>

class QMenu;
class QWidget;
class TLxImage;

class TLxAerinButton {
public:
    explicit TLxAerinButton(QWidget* skin);
    TLxAerinButton(const TLxAerinButton&) = delete;
    TLxAerinButton& operator=(const TLxAerinButton&) = delete;

    QString Hint() const { return m_hint; }
    void SetHint(const QString& value);
    bool ShowHint() const { return m_showHint; }
    void SetShowHint(bool value);
    bool Enabled() const;
    void SetEnabled(bool value);
    bool Visible() const { return m_visible; }
    void SetVisible(bool value);
    QMenu* PopupMenu() const { return m_popupMenu.Menu(); }
    void SetPopupMenu(QMenu* value) { m_popupMenu.SetMenu(value); }

    // The events of the button's picture control.
    TMouseMoveEvent& OnMouseMove();
    TMouseEvent& OnMouseDown();
    TMouseEvent& OnMouseUp();
    TNotifyEvent& OnClick();
    TNotifyEvent& OnDblClick();

    TLxImage* Control() const { return m_control; }

private:
    void UpdateToolTip();

    TLxImage* m_control; // owned by the skin widget
    TPopupMenuBinding m_popupMenu;
    QString m_hint;
    bool m_showHint = false;
    bool m_visible = true;
};

class TLxAerinButtons {
public:
    explicit TLxAerinButtons(QWidget* skin);

    TLxAerinButton& Play() { return (*this)[TSkinButton::Play]; }
    TLxAerinButton& Stop() { return (*this)[TSkinButton::Stop]; }
    TLxAerinButton& Pause() { return (*this)[TSkinButton::Pause]; }
    TLxAerinButton& Next() { return (*this)[TSkinButton::Next]; }
    TLxAerinButton& Previous() { return (*this)[TSkinButton::Previous]; }
    TLxAerinButton& Open() { return (*this)[TSkinButton::Open]; }
    TLxAerinButton& Exit() { return (*this)[TSkinButton::Exit]; }
    TLxAerinButton& Move() { return (*this)[TSkinButton::Move]; }
    TLxAerinButton& Minimize() { return (*this)[TSkinButton::Minimize]; }
    TLxAerinButton& Id3() { return (*this)[TSkinButton::Id3]; }
    TLxAerinButton& Forward() { return (*this)[TSkinButton::Forward]; }
    TLxAerinButton& Rewind() { return (*this)[TSkinButton::Rewind]; }
    TLxAerinButton& Options() { return (*this)[TSkinButton::Options]; }
    TLxAerinButton& Playlist() { return (*this)[TSkinButton::Playlist]; }

    TLxAerinButton& operator[](TSkinButton button) { return *m_buttons[std::size_t(button)]; }

private:
    std::array<std::unique_ptr<TLxAerinButton>, kSkinButtonCount> m_buttons;
};
