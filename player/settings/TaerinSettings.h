#pragma once

#include "player/equalizer/EqualizerState.h"

#include <QList>
#include <QPoint>
#include <QRect>
#include <QSettings>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

// What the player remembers between runs, in taerin.conf beside the last
// playlist ($XDG_CONFIG_HOME/taerin/, ~/.config/taerin/ when that is unset).
// Values read back are checked: a missing or broken value gives the default.
class TTaerinSettings {
public:
    // The standard file, or `fileName` (tests).
    explicit TTaerinSettings(const QString& fileName = DefaultFile());
    static QString DefaultFile();

    // Absent: std::nullopt.
    std::optional<int> Volume() const;
    void SetVolume(int value);

    bool Shuffle() const;
    void SetShuffle(bool value);
    // 0 off, 1 all, 2 one.
    int RepeatMode() const;
    void SetRepeatMode(int value);

    bool ElapsedTime() const;
    void SetElapsedTime(bool value);
    bool PlaylistVisible() const;
    void SetPlaylistVisible(bool value);

    // The top-left corner a window had; std::nullopt when unknown.
    std::optional<QPoint> WindowPosition(const QString& window) const;
    void SetWindowPosition(const QString& window, QPoint position);

    // The folder a dialog showed last; empty when unknown.
    QString LastFolder(const QString& dialog) const;
    void SetLastFolder(const QString& dialog, const QString& folder);

    TEqualizerState Equalizer() const;
    void SetEqualizer(const TEqualizerState& state);
    std::vector<TEqualizerPreset> EqualizerPresets() const;
    void SetEqualizerPresets(const std::vector<TEqualizerPreset>& presets);

    // Writes pending changes; false when the file cannot be written.
    bool Sync();

private:
    std::unique_ptr<QSettings> settings_;
};

// Where a window of `size` last at `saved` goes on the screens' available
// areas: unchanged when its title strip (the top 20 pixels of at least 40
// pixels' width) is on a screen, otherwise pulled into the nearest screen.
QPoint KeptOnScreen(QPoint saved, QSize size, const QList<QRect>& screens);
