#pragma once

#include <QString>

struct ZK_Decoder;

// Durations of files as the engine reckons them when it opens them, through
// a decoder of its own on the engine library the binding loaded. Used on
// the GUI thread only.
class TTrackDurations {
public:
    // `library`: the handle of the loaded engine (null: no durations).
    explicit TTrackDurations(void* library);
    ~TTrackDurations();
    TTrackDurations(const TTrackDurations&) = delete;
    TTrackDurations& operator=(const TTrackDurations&) = delete;

    // Whole seconds; -1 when unknown (not a file, not audio, no engine).
    int Seconds(const QString& path);

private:
    struct TEntries;
    TEntries* m_entries = nullptr;
    ZK_Decoder* m_decoder = nullptr;
};
