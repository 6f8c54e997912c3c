// TLxAerinSkin: the player's face. Draws the skin's background, lays its
// buttons, labels and sliders over it, shapes and drags the window, and
// switches to the inactive background while the window is not active.
#pragma once

#include "skin/controls/LxEvents.h"
#include "skin/loader/LxAerinButtons.h"
#include "skin/loader/LxAerinLabels.h"
#include "skin/loader/LxAerinOption.h"
#include "skin/loader/LxAerinSliders.h"
#include "skin/loader/SkinPictures.h"

#include <QMenu>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <memory>

class TLxImage;
class TSkinIni;

class TLxAerinSkin : public QWidget {
    Q_OBJECT
public:
    // The skin is a child of `owner`, the window it shapes and moves. It starts
    // with the built-in skin.
    explicit TLxAerinSkin(QWidget* owner);
    ~TLxAerinSkin() override;

    // The layout file of the current skin; empty for the built-in skin.
    // Writing loads that skin (empty: the built-in one). A skin that cannot be
    // loaded raises ESkinError and leaves the current skin as it was.
    QString SkinFile() const { return m_skinFile; }
    void SetSkinFile(const QString& value);

    TLxAerinOption& Options() { return *m_options; }
    TLxAerinLabels& Labels() { return *m_labels; }
    TLxAerinVolume& Volume() { return *m_volume; }
    TLxAerinButtons& Buttons() { return *m_buttons; }
    TLxAerinPosition& Position() { return *m_position; }

    QMenu* PopupMenu() const { return m_popupMenu; }
    void SetPopupMenu(QMenu* value) { m_popupMenu = value; }
    // Free for the owner's use (the player keeps its pause flag here).
    int Tag() const { return m_tag; }
    void SetTag(int value) { m_tag = value; }

    // The about box of the skin, modal; nothing when the skin has neither
    // picture nor text.
    void ShowAbout();
    // The owner's window became / stopped being the active window.
    void Activate();
    void Deactivate();

    // Pictures of the current skin.
    const TSkinPictures& Pictures() const { return m_pictures; }
    // The picture control that shows the background.
    TLxImage* MainImage() const { return m_mainImage; }

    // Events. Those returned by reference are the child controls' own events,
    // so the sender a handler sees is that control.
    TNotifyEvent& OnPlayClick() { return m_buttons->Play().OnClick(); }
    TNotifyEvent& OnStopClick() { return m_buttons->Stop().OnClick(); }
    TNotifyEvent& OnPauseClick() { return m_buttons->Pause().OnClick(); }
    TNotifyEvent& OnNextClick() { return m_buttons->Next().OnClick(); }
    TNotifyEvent& OnPreviousClick() { return m_buttons->Previous().OnClick(); }
    TNotifyEvent& OnForwardClick() { return m_buttons->Forward().OnClick(); }
    TNotifyEvent& OnRewindClick() { return m_buttons->Rewind().OnClick(); }
    TNotifyEvent& OnOptionsClick() { return m_buttons->Options().OnClick(); }
    TNotifyEvent& OnID3Click() { return m_buttons->Id3().OnClick(); }
    TNotifyEvent& OnPlaylistClick() { return m_buttons->Playlist().OnClick(); }
    TNotifyEvent& OnMinimizeClick() { return m_buttons->Minimize().OnClick(); }
    TNotifyEvent& OnExitClick() { return m_buttons->Exit().OnClick(); }
    TNotifyEvent& OnMoveClick() { return m_buttons->Move().OnClick(); }
    // Raised after a press on the Move button and on every move over it.
    TMouseEvent OnMoveDown;
    TMouseMoveEvent OnMoveMove;
    TNotifyEvent& OnOpenClick() { return m_buttons->Open().OnClick(); }
    // The sliders' release (changed) and drag (changing) events.
    TNotifyEvent& OnVolumeChanged();
    TNotifyEvent& OnPositionChanged();
    TNotifyEvent& OnVolumeChanging();
    TNotifyEvent& OnPositionChanging();
    TNotifyEvent& OnStatusClick() { return m_labels->Status().OnClick(); }
    TNotifyEvent& OnCurrentTimeClick() { return m_labels->CurrentTime().OnClick(); }
    TNotifyEvent& OnLayerClick() { return m_labels->Layer().OnClick(); }
    TNotifyEvent& OnBitrateClick() { return m_labels->Bitrate().OnClick(); }
    TNotifyEvent& OnFrequencyClick() { return m_labels->Frequency().OnClick(); }
    TNotifyEvent& OnVersionClick() { return m_labels->Version().OnClick(); }
    TNotifyEvent& OnSongNameClick() { return m_labels->SongName().OnClick(); }
    TNotifyEvent& OnTotalTimeClick() { return m_labels->TotalTime().OnClick(); }
    TNotifyEvent& OnTotalInfoClick() { return m_labels->TotalInfo().OnClick(); }

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void LoadDefaultSkin();
    // Takes new pictures and layout; nothing here can fail.
    void ApplySkin(TSkinPictures pictures, const TSkinIni& layout, bool sizeToBackground);
    void ApplySkinIni(const TSkinIni& layout);
    void ResetButtons();
    void BuildHoverImages();
    void ApplyOptions();
    void ShowPicture(const QImage& picture);
    void SetWindowFramed(bool framed);

    void DragPress(Qt::MouseButton button, int x, int y);
    // Moves the window when AutoMove is on and the left button is down.
    void DragMove(int x, int y);
    void DragRelease(Qt::MouseButton button);
    void MovePress(QObject* sender, Qt::MouseButton button, TShiftState shift, int x, int y);
    void MoveMove(QObject* sender, TShiftState shift, int x, int y);

    QString m_skinFile;
    std::unique_ptr<TLxAerinOption> m_options;
    TLxImage* m_mainImage = nullptr; // child widget
    std::unique_ptr<TLxAerinLabels> m_labels;
    std::unique_ptr<TLxAerinButtons> m_buttons;
    std::unique_ptr<TLxAerinVolume> m_volume;
    std::unique_ptr<TLxAerinPosition> m_position;
    TSkinPictures m_pictures;
    QPointer<QMenu> m_popupMenu;
    bool m_dragging = false; // a left press on the face is held
    int m_dragOriginX = 0;
    int m_dragOriginY = 0;
    int m_tag = 0;
};
