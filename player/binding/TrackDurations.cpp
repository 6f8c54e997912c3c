#include "player/binding/TrackDurations.h"

#include "desktop/files/FileNames.h"
#include "desktop/files/LocalFiles.h"
#include "zelkor.h"

#include <dlfcn.h>

struct TTrackDurations::TEntries {
    decltype(&::decoder_new) New = nullptr;
    decltype(&::decoder_delete) Delete = nullptr;
    decltype(&::decoder_input_new) InputNew = nullptr;
    decltype(&::decoder_input_open) InputOpen = nullptr;
    decltype(&::decoder_input_close) InputClose = nullptr;
    decltype(&::decoder_input_delete) InputDelete = nullptr;

    bool Complete() const { return New && Delete && InputNew && InputOpen && InputClose && InputDelete; }
};

namespace {

template <typename Function> void Bind(void* library, const char* name, Function& entry) {
    entry = reinterpret_cast<Function>(dlsym(library, name));
}

} // namespace

TTrackDurations::TTrackDurations(void* library) : m_entries(new TEntries) {
    if (!library) return;
    Bind(library, "decoder_new", m_entries->New);
    Bind(library, "decoder_delete", m_entries->Delete);
    Bind(library, "decoder_input_new", m_entries->InputNew);
    Bind(library, "decoder_input_open", m_entries->InputOpen);
    Bind(library, "decoder_input_close", m_entries->InputClose);
    Bind(library, "decoder_input_delete", m_entries->InputDelete);
    if (!m_entries->Complete() || m_entries->New(&m_decoder) != ZK_OK) m_decoder = nullptr;
}

TTrackDurations::~TTrackDurations() {
    if (m_decoder) m_entries->Delete(m_decoder);
    delete m_entries;
}

int TTrackDurations::Seconds(const QString& path) {
    // Regular files only: a pipe or device would make the open wait.
    if (!m_decoder || !LocalFiles::IsFile(path)) return -1;
    int seconds = -1;
    const QByteArray name = EncodeFileName(path);
    if (m_entries->InputNew(m_decoder, name.constData(), -1) >= 0) {
        if (m_entries->InputOpen(m_decoder) >= 0 && m_decoder->input) {
            const int32_t duration = m_decoder->input->duration;
            seconds = duration > 0 ? duration : -1;
            m_entries->InputClose(m_decoder);
        }
        m_entries->InputDelete(m_decoder);
    }
    return seconds;
}
