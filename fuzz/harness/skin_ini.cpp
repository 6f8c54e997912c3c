// The skin INI: parse the text, then read the whole face layout from it.
#include "skin/loader/SkinIni.h"
#include "skin/loader/SkinLayout.h"

#include <cstdint>
#include <cstdlib>

namespace {

void CheckRect(const QRect& r) {
    if (r.left() < -32767 || r.left() > 32767 || r.top() < -32767 || r.top() > 32767) std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const TSkinIni ini = TSkinIni::FromText(QByteArrayView(data, qsizetype(size)));
    const TSkinLayout layout = ReadSkinLayout(ini);
    for (const QRect& button : layout.Buttons) CheckRect(button);
    for (const TSkinLabelLayout& label : layout.Labels) CheckRect(label.Bounds);
    CheckRect(layout.Position.Bounds);
    CheckRect(layout.Volume.Bounds);
    return 0;
}
