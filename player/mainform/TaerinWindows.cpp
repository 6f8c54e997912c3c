#include "player/mainform/TaerinWindows.h"

#include "desktop/optionsform.h"
#include "player/mainform/MainDialogs.h"
#include "player/mainform/mainform.h"
#include "playlist/playlistform.h"
#include "tags/id3form.h"

TTaerinWindows::TTaerinWindows(std::unique_ptr<TMainDialogs> dialogs)
    : mainform(std::make_unique<Tmainform>(std::move(dialogs))), optionsform(std::make_unique<Toptionsform>()),
      id3form(std::make_unique<Tid3form>()), playlistform(std::make_unique<Tplaylistform>(*mainform)) {
    mainform->SetWindows(optionsform.get(), id3form.get(), playlistform.get());
}

TTaerinWindows::~TTaerinWindows() { mainform->SetWindows(nullptr, nullptr, nullptr); }
