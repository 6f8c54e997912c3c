// BMP pictures of a skin directory through the skin loader: the input is the
// directory's background picture.
#include "skin/loader/SkinPictures.h"
#include "skin/loader/SkinStrings.h"
#include "support/qt_application.h"
#include "support/scratch_file.h"

#include <cstdint>

extern "C" int LLVMFuzzerInitialize(int*, char*** argv) {
    StartOffscreenApplication((*argv)[0]);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    WriteScratchFile(QString::fromLatin1(skin_strings::kBackFile), data, size);
    try {
        LoadSkinDirectoryPictures(ScratchFolder());
    } catch (const ESkinError&) {
    }
    return 0;
}
