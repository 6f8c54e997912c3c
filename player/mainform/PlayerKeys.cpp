#include "player/mainform/PlayerKeys.h"

#include "player/mainform/MainFormStrings.h"

#include <QKeySequence>
#include <QStringList>
#include <iterator>

namespace S = MainFormStrings;

namespace {

struct TKeyBinding {
    int Key;
    Qt::KeyboardModifiers Modifiers;
    TPlayerAction Action;
};

// The first binding of an action is the one hints name first.
constexpr TKeyBinding kBindings[] = {
    {Qt::Key_Space, Qt::NoModifier, TPlayerAction::PlayPause},
    {Qt::Key_X, Qt::NoModifier, TPlayerAction::Play},
    {Qt::Key_Return, Qt::NoModifier, TPlayerAction::Play},
    {Qt::Key_Enter, Qt::NoModifier, TPlayerAction::Play},
    {Qt::Key_C, Qt::NoModifier, TPlayerAction::Pause},
    {Qt::Key_V, Qt::NoModifier, TPlayerAction::Stop},
    {Qt::Key_B, Qt::NoModifier, TPlayerAction::Next},
    {Qt::Key_N, Qt::NoModifier, TPlayerAction::Next},
    {Qt::Key_Z, Qt::NoModifier, TPlayerAction::Previous},
    {Qt::Key_Right, Qt::NoModifier, TPlayerAction::SeekForward},
    {Qt::Key_Left, Qt::NoModifier, TPlayerAction::SeekBackward},
    {Qt::Key_Up, Qt::NoModifier, TPlayerAction::VolumeUp},
    {Qt::Key_Down, Qt::NoModifier, TPlayerAction::VolumeDown},
    {Qt::Key_O, Qt::ControlModifier, TPlayerAction::AddFiles},
    {Qt::Key_L, Qt::ControlModifier, TPlayerAction::AddUrl},
    {Qt::Key_E, Qt::NoModifier, TPlayerAction::Equalizer},
    {Qt::Key_S, Qt::NoModifier, TPlayerAction::Shuffle},
    {Qt::Key_R, Qt::NoModifier, TPlayerAction::Repeat},
};

struct TActionText {
    TPlayerAction Action;
    const char* Meaning;
};

constexpr TActionText kMeanings[] = {
    {TPlayerAction::PlayPause, S::KeyMeaningPlayPause},
    {TPlayerAction::Play, S::KeyMeaningPlay},
    {TPlayerAction::Pause, S::KeyMeaningPause},
    {TPlayerAction::Stop, S::KeyMeaningStop},
    {TPlayerAction::Next, S::KeyMeaningNext},
    {TPlayerAction::Previous, S::KeyMeaningPrevious},
    {TPlayerAction::SeekForward, S::KeyMeaningSeekForward},
    {TPlayerAction::SeekBackward, S::KeyMeaningSeekBackward},
    {TPlayerAction::VolumeUp, S::KeyMeaningVolumeUp},
    {TPlayerAction::VolumeDown, S::KeyMeaningVolumeDown},
    {TPlayerAction::AddFiles, S::KeyMeaningAddFiles},
    {TPlayerAction::AddUrl, S::KeyMeaningAddUrl},
    {TPlayerAction::Equalizer, S::KeyMeaningEqualizer},
    {TPlayerAction::Shuffle, S::KeyMeaningShuffle},
    {TPlayerAction::Repeat, S::KeyMeaningRepeat},
};

QString KeyName(const TKeyBinding& binding) {
    return QKeySequence(binding.Key | binding.Modifiers.toInt()).toString(QKeySequence::NativeText);
}

} // namespace

TPlayerAction ActionOfKey(int key, Qt::KeyboardModifiers modifiers) {
    modifiers &= ~Qt::KeypadModifier;
    for (const TKeyBinding& binding : kBindings) {
        if (binding.Key == key && binding.Modifiers == modifiers) return binding.Action;
    }
    return TPlayerAction::None;
}

bool IsListNavigationKey(int key) {
    return key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Left || key == Qt::Key_Right;
}

QString KeysOf(TPlayerAction action) {
    QStringList names;
    for (const TKeyBinding& binding : kBindings) {
        if (binding.Action == action && binding.Key != Qt::Key_Enter) names << KeyName(binding);
    }
    return names.join(QStringLiteral(" / "));
}

QString HintWithKeys(const QString& hint, TPlayerAction action) {
    const QString keys = KeysOf(action);
    return keys.isEmpty() ? hint : hint + QStringLiteral(" (") + keys + u')';
}

QString KeyReference() {
    QStringList lines;
    for (const TActionText& text : kMeanings)
        lines << KeysOf(text.Action) + QStringLiteral(": ") + QString::fromUtf8(text.Meaning);
    lines << QString::fromUtf8(S::KeyMeaningPlaylistKeys);
    return lines.join(u'\n');
}
