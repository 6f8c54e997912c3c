#include "player/mainform/TaerinWindows.h"

#include "desktop/optionsform.h"
#include "player/mainform/MainDialogs.h"
#include "player/mainform/mainform.h"
#include "player/binding/LxZelkorPlayer.h"
#include "player/binding/TrackDurations.h"
#include "player/equalizer/EqualizerForm.h"
#include "player/mainform/RememberedSettings.h"
#include "player/settings/TaerinSettings.h"
#include "playlist/playlistform.h"
#include "tags/id3form.h"

TTaerinWindows::TTaerinWindows(std::unique_ptr<TMainDialogs> dialogs)
    : mainform(std::make_unique<Tmainform>(std::move(dialogs))), optionsform(std::make_unique<Toptionsform>()),
      id3form(std::make_unique<Tid3form>()), playlistform(std::make_unique<Tplaylistform>(*mainform)) {
    mainform->SetWindows(optionsform.get(), id3form.get(), playlistform.get());
    durations = std::make_unique<TTrackDurations>(mainform->LxZelkorPlayer1->LibraryHandle());
    playlistform->DurationOf = [this](const QString& path) { return durations->Seconds(path); };
    equalizerform = std::make_unique<TEqualizerForm>();
    equalizerform->OnApply = [this](const TEqualizerState& state) { mainform->ApplyEqualizer(state); };
    mainform->SetEqualizerWindow(equalizerform.get());
    settings = std::make_unique<TTaerinSettings>();
    remembered = std::make_unique<TRememberedSettings>(*this, *settings);
    remembered->Restore();
    equalizerform->OnPresetsChanged = [this] { remembered->Store(); };
}

TTaerinWindows::~TTaerinWindows() {
    remembered->Store();
    remembered.reset();
    playlistform->DurationOf = nullptr;
    mainform->SetEqualizerWindow(nullptr);
    mainform->SetWindows(nullptr, nullptr, nullptr);
}
