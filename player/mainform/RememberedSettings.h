#pragma once

#include "playlist/LxDialogs.h"

class TTaerinSettings;
struct TTaerinWindows;

// Puts what the settings remember into the windows at start and takes it
// back at the end: volume, shuffle and repeat, the time display, the
// equalizer and its presets, window places (kept on a visible screen),
// whether the playlist window was open, and the dialogs' last folders.
class TRememberedSettings : public TDialogFolders {
public:
    TRememberedSettings(TTaerinWindows& windows, TTaerinSettings& settings);
    ~TRememberedSettings() override;

    // Everything but the windows' visibility.
    void Restore();
    // Opens the windows that were open, once the main window shows.
    void ShowWindows();
    // Keeps the current values; true when they could be written.
    bool Store();

    QString Folder(const QString& key) const override;
    void SetFolder(const QString& key, const QString& folder) override;

private:
    TTaerinWindows& m_windows;
    TTaerinSettings& m_settings;
};
