#pragma once

#include <memory>

class TEqualizerForm;
class TMainDialogs;
class TRememberedSettings;
class TTaerinSettings;
class TTrackDurations;
class Tid3form;
class Tmainform;
class Toptionsform;
class Tplaylistform;

// The program's windows, created in this order: the main window (with the
// engine binding), the options window, the tag window, the playlist window
// (which creates the URL window), the equalizer window. They are freed in
// the reverse order. The settings are restored at creation and kept when
// the windows go.
struct TTaerinWindows {
    // Throws when the main window cannot be created (no engine). Without
    // `dialogs` the main window uses the standard dialogs.
    explicit TTaerinWindows(std::unique_ptr<TMainDialogs> dialogs = nullptr);
    ~TTaerinWindows();
    TTaerinWindows(const TTaerinWindows&) = delete;
    TTaerinWindows& operator=(const TTaerinWindows&) = delete;

    std::unique_ptr<Tmainform> mainform;
    std::unique_ptr<Toptionsform> optionsform;
    std::unique_ptr<Tid3form> id3form;
    std::unique_ptr<Tplaylistform> playlistform;
    std::unique_ptr<TEqualizerForm> equalizerform;
    std::unique_ptr<TTrackDurations> durations;
    std::unique_ptr<TTaerinSettings> settings;
    std::unique_ptr<TRememberedSettings> remembered;
};
