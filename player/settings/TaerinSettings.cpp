#include "player/settings/TaerinSettings.h"

#include <QDir>
#include <QStandardPaths>
#include <QStringList>
#include <algorithm>
#include <limits>

namespace {

constexpr char kConfigFolder[] = "taerin";
constexpr char kFileName[] = "taerin.conf";

constexpr char kVolume[] = "player/volume";
constexpr char kShuffle[] = "player/shuffle";
constexpr char kRepeat[] = "player/repeat";
constexpr char kElapsed[] = "player/elapsedTime";
constexpr char kPlaylistVisible[] = "windows/playlistVisible";
constexpr char kWindowGroup[] = "windows/";
constexpr char kFolderGroup[] = "folders/";
constexpr char kEqEnabled[] = "equalizer/enabled";
constexpr char kEqLinked[] = "equalizer/linked";
constexpr char kEqPreamp[] = "equalizer/preamp";
constexpr char kEqLeft[] = "equalizer/left";
constexpr char kEqRight[] = "equalizer/right";
constexpr char kPresetArray[] = "equalizerPresets";
constexpr char kPresetName[] = "name";
constexpr char kPresetPreamp[] = "preamp";
constexpr char kPresetBands[] = "bands";

constexpr int kTitleStrip = 20;
constexpr int kGrip = 40;

QString Key(const char* group, const QString& name) { return QString::fromUtf8(group) + name; }

QString BandsText(const TEqualizerBands& bands) {
    QStringList values;
    for (int value : bands) values << QString::number(value);
    return values.join(u' ');
}

// Bands written by BandsText; std::nullopt unless all 32 are numbers.
std::optional<TEqualizerBands> BandsOf(const QString& text) {
    const QStringList values = text.split(u' ', Qt::SkipEmptyParts);
    if (values.size() != kEqualizerBands) return std::nullopt;
    TEqualizerBands bands{};
    for (int band = 0; band < kEqualizerBands; ++band) {
        bool ok = false;
        bands[band] = ClampToRange(values[band].toInt(&ok));
        if (!ok) return std::nullopt;
    }
    return bands;
}

} // namespace

TTaerinSettings::TTaerinSettings(const QString& fileName)
    : settings_(std::make_unique<QSettings>(fileName, QSettings::IniFormat)) {}

QString TTaerinSettings::DefaultFile() {
    const QString configHome = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QDir(configHome).filePath(QString::fromUtf8(kConfigFolder) + u'/' + QString::fromUtf8(kFileName));
}

std::optional<int> TTaerinSettings::Volume() const {
    bool ok = false;
    const int value = settings_->value(kVolume).toInt(&ok);
    if (!ok || value < 0) return std::nullopt;
    return value;
}

void TTaerinSettings::SetVolume(int value) { settings_->setValue(kVolume, value); }

bool TTaerinSettings::Shuffle() const { return settings_->value(kShuffle, false).toBool(); }

void TTaerinSettings::SetShuffle(bool value) { settings_->setValue(kShuffle, value); }

int TTaerinSettings::RepeatMode() const {
    const int value = settings_->value(kRepeat, 0).toInt();
    return value >= 0 && value <= 2 ? value : 0;
}

void TTaerinSettings::SetRepeatMode(int value) { settings_->setValue(kRepeat, value); }

bool TTaerinSettings::ElapsedTime() const { return settings_->value(kElapsed, true).toBool(); }

void TTaerinSettings::SetElapsedTime(bool value) { settings_->setValue(kElapsed, value); }

bool TTaerinSettings::PlaylistVisible() const { return settings_->value(kPlaylistVisible, false).toBool(); }

void TTaerinSettings::SetPlaylistVisible(bool value) { settings_->setValue(kPlaylistVisible, value); }

std::optional<QPoint> TTaerinSettings::WindowPosition(const QString& window) const {
    const QVariant value = settings_->value(Key(kWindowGroup, window));
    if (value.typeId() != QMetaType::QPoint) return std::nullopt;
    return value.toPoint();
}

void TTaerinSettings::SetWindowPosition(const QString& window, QPoint position) {
    settings_->setValue(Key(kWindowGroup, window), position);
}

QString TTaerinSettings::LastFolder(const QString& dialog) const {
    return settings_->value(Key(kFolderGroup, dialog)).toString();
}

void TTaerinSettings::SetLastFolder(const QString& dialog, const QString& folder) {
    settings_->setValue(Key(kFolderGroup, dialog), folder);
}

TEqualizerState TTaerinSettings::Equalizer() const {
    TEqualizerState state;
    state.Enabled = settings_->value(kEqEnabled, false).toBool();
    state.Linked = settings_->value(kEqLinked, true).toBool();
    state.PreampDb = ClampToRange(settings_->value(kEqPreamp, 0).toInt());
    if (const auto left = BandsOf(settings_->value(kEqLeft).toString())) state.Left = *left;
    if (const auto right = BandsOf(settings_->value(kEqRight).toString())) state.Right = *right;
    if (state.Linked) state.Right = state.Left;
    return state;
}

void TTaerinSettings::SetEqualizer(const TEqualizerState& state) {
    settings_->setValue(kEqEnabled, state.Enabled);
    settings_->setValue(kEqLinked, state.Linked);
    settings_->setValue(kEqPreamp, state.PreampDb);
    settings_->setValue(kEqLeft, BandsText(state.Left));
    settings_->setValue(kEqRight, BandsText(state.Right));
}

std::vector<TEqualizerPreset> TTaerinSettings::EqualizerPresets() const {
    std::vector<TEqualizerPreset> presets;
    const int count = settings_->beginReadArray(kPresetArray);
    for (int i = 0; i < count; ++i) {
        settings_->setArrayIndex(i);
        const QString name = settings_->value(kPresetName).toString().trimmed();
        const auto bands = BandsOf(settings_->value(kPresetBands).toString());
        if (name.isEmpty() || !bands) continue;
        presets.push_back({name, ClampToRange(settings_->value(kPresetPreamp, 0).toInt()), *bands});
    }
    settings_->endArray();
    return presets;
}

void TTaerinSettings::SetEqualizerPresets(const std::vector<TEqualizerPreset>& presets) {
    settings_->remove(kPresetArray);
    settings_->beginWriteArray(kPresetArray, static_cast<int>(presets.size()));
    for (int i = 0; i < static_cast<int>(presets.size()); ++i) {
        settings_->setArrayIndex(i);
        settings_->setValue(kPresetName, presets[i].Name);
        settings_->setValue(kPresetPreamp, presets[i].PreampDb);
        settings_->setValue(kPresetBands, BandsText(presets[i].Bands));
    }
    settings_->endArray();
}

bool TTaerinSettings::Sync() {
    settings_->sync();
    return settings_->status() == QSettings::NoError;
}

QPoint KeptOnScreen(QPoint saved, QSize size, const QList<QRect>& screens) {
    if (screens.isEmpty()) return saved;
    const QRect strip(saved, QSize(std::max(size.width(), kGrip), kTitleStrip));
    for (const QRect& screen : screens) {
        const QRect seen = screen.intersected(strip);
        if (seen.width() >= std::min(kGrip, strip.width()) && seen.height() >= kTitleStrip / 2) return saved;
    }
    // The screen nearest to the window's corner; the window moved inside it.
    const QRect* nearest = &screens.front();
    qint64 best = std::numeric_limits<qint64>::max();
    for (const QRect& screen : screens) {
        const int dx = saved.x() < screen.left() ? screen.left() - saved.x() : std::max(0, saved.x() - screen.right());
        const int dy = saved.y() < screen.top() ? screen.top() - saved.y() : std::max(0, saved.y() - screen.bottom());
        const qint64 distance = qint64{dx} * dx + qint64{dy} * dy;
        if (distance < best) {
            best = distance;
            nearest = &screen;
        }
    }
    const int x =
        std::clamp(saved.x(), nearest->left(), std::max(nearest->left(), nearest->right() + 1 - size.width()));
    const int y =
        std::clamp(saved.y(), nearest->top(), std::max(nearest->top(), nearest->bottom() + 1 - size.height()));
    return {x, y};
}
