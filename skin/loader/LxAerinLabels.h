// The skin's labels: wrappers that keep bounds and caption and forward them
// to their label control on the face.
#pragma once

#include "skin/controls/LxEvents.h"
#include "skin/controls/ScrollingText.h"
#include "skin/loader/PopupMenuBinding.h"
#include "skin/loader/SkinLayout.h"

#include <QColor>
#include <QFont>
#include <QRect>
#include <QString>
#include <array>
#include <memory>

class QMenu;
class QWidget;
class TLxCustomLabel;
class TLxLabel;
class TLxScrollingLabel;

class TLxAerinLabelBase {
public:
    TLxAerinLabelBase(const TLxAerinLabelBase&) = delete;
    TLxAerinLabelBase& operator=(const TLxAerinLabelBase&) = delete;
    virtual ~TLxAerinLabelBase() = default;

    int Left() const { return m_bounds.x(); }
    void SetLeft(int value);
    int Top() const { return m_bounds.y(); }
    void SetTop(int value);
    int Width() const { return m_bounds.width(); }
    void SetWidth(int value);
    int Height() const { return m_bounds.height(); }
    void SetHeight(int value);
    QRect Bounds() const { return m_bounds; }
    void SetBounds(const QRect& value);

    QString Caption() const { return m_caption; }
    void SetCaption(const QString& value);

    QFont Font() const;
    void SetFont(const QFont& value);
    QColor FontColor() const;
    void SetFontColor(const QColor& value);
    // Background colour, shown unless Transparent.
    QColor Color() const;
    void SetColor(const QColor& value);
    bool Transparent() const;
    void SetTransparent(bool value);
    QString Hint() const;
    void SetHint(const QString& value);
    bool ShowHint() const { return m_showHint; }
    void SetShowHint(bool value);
    QMenu* PopupMenu() const { return m_popupMenu.Menu(); }
    void SetPopupMenu(QMenu* value) { m_popupMenu.SetMenu(value); }

    // The label's click event.
    TNotifyEvent& OnClick();

    TLxCustomLabel* Control() const { return m_control; }

protected:
    explicit TLxAerinLabelBase(TLxCustomLabel* control);
    virtual void ShowCaption(const QString& caption);

private:
    void UpdateToolTip();

    TLxCustomLabel* m_control; // owned by the skin widget
    TPopupMenuBinding m_popupMenu;
    QRect m_bounds;
    QString m_caption;
    QString m_hint;
    bool m_showHint = false;
};

class TLxAerinLabel : public TLxAerinLabelBase {
public:
    explicit TLxAerinLabel(QWidget* skin);
    TLxLabel* Label() const;
};

// The song title: its caption is the scrolling text.
class TLxAerinScrollLabel : public TLxAerinLabelBase {
public:
    explicit TLxAerinScrollLabel(QWidget* skin);
    TLxScrollingLabel* Label() const;

    bool Scrolling() const;
    void SetScrolling(bool value);
    TDirection ScrollDirectory() const;
    void SetScrollDirectory(TDirection value);
    unsigned ScrollInterval() const;
    void SetScrollInterval(unsigned value);
    bool NoGrap() const;
    void SetNoGrap(bool value);

protected:
    void ShowCaption(const QString& caption) override;
};

class TLxAerinLabels {
public:
    explicit TLxAerinLabels(QWidget* skin);

    TLxAerinLabel& Status() { return *m_status; }
    TLxAerinLabel& CurrentTime() { return *m_currentTime; }
    TLxAerinLabel& Layer() { return *m_layer; }
    TLxAerinLabel& Bitrate() { return *m_bitrate; }
    TLxAerinLabel& Frequency() { return *m_frequency; }
    TLxAerinLabel& Version() { return *m_version; }
    TLxAerinScrollLabel& SongName() { return *m_songName; }
    TLxAerinLabel& TotalTime() { return *m_totalTime; }
    TLxAerinLabel& TotalInfo() { return *m_totalInfo; }

    TLxAerinLabelBase& operator[](TSkinLabel label);

private:
    std::unique_ptr<TLxAerinLabel> m_status, m_currentTime, m_layer, m_bitrate, m_frequency, m_version;
    std::unique_ptr<TLxAerinScrollLabel> m_songName;
    std::unique_ptr<TLxAerinLabel> m_totalTime, m_totalInfo;
};
