// playlist_bench: the playlist window's list with 10 000 entries (offscreen):
// loading, replacing, sorting, shuffling and deleting, milliseconds each.
// The target is a load in under a second.
#include "playlist/LxControls.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>

namespace {

void Time(const char* what, const std::function<void()>& step) {
    QElapsedTimer timer;
    timer.start();
    step();
    std::printf("%-28s %8lld ms\n", what, static_cast<long long>(timer.elapsed()));
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    constexpr int entries = 10000;
    QTemporaryDir dir;
    const QString list = dir.filePath("big.m3u");
    QFile file(list);
    if (!file.open(QIODevice::WriteOnly)) return 1;
    for (int i = 0; i < entries; ++i)
        file.write(QString("/music/album %1/Track %2.mp3\r\n").arg(i % 97).arg(i).toUtf8());
    file.close();

    TLxPlaylist playlist;
    playlist.SetShowNumbers(true);
    playlist.resize(290, 261);
    playlist.show();
    Time("load 10000 entries", [&] { playlist.LoadPlaylist(list); });
    playlist.SetPlayingIndex(5000);
    Time("replace with 10000 entries", [&] { playlist.ReplaceWithPlaylist(list); });
    Time("sort by songname", [&] { playlist.SortBySongname(); });
    Time("randomize", [&] { playlist.RandomOrder(); });
    Time("sort by path", [&] { playlist.SortByPath(); });
    Time("delete all", [&] { playlist.DeleteAll(); });
    return playlist.Count() == 0 ? 0 : 1;
}
