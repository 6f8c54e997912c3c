#pragma once

#include <QString>
#include <Qt>

// The keys of the main and playlist windows and what they do.
enum class TPlayerAction {
    None,
    PlayPause,
    Play,
    Pause,
    Stop,
    Next,
    Previous,
    SeekForward,
    SeekBackward,
    VolumeUp,
    VolumeDown,
    AddFiles,
    AddUrl,
    Equalizer,
    Shuffle,
    Repeat,
};

// The action of a key pressed with `modifiers` (the keypad flag is ignored).
TPlayerAction ActionOfKey(int key, Qt::KeyboardModifiers modifiers);

// True for the keys a list needs to move its cursor (the arrows); the
// playlist window keeps them for its list.
bool IsListNavigationKey(int key);

// The keys of an action as the user reads them ("X", "Space / X"); empty
// when it has none.
QString KeysOf(TPlayerAction action);

// A hint followed by the action's keys: "Play (X)".
QString HintWithKeys(const QString& hint, TPlayerAction action);

// Every key with its meaning, one line each, for the About text.
QString KeyReference();
