#pragma once

// Texts of the equalizer window.
namespace EqualizerStrings {

inline constexpr char WindowCaption[] = "Equalizer";
inline constexpr char EnabledBox[] = "&On";
inline constexpr char LinkedBox[] = "&Link channels";
inline constexpr char LeftChannel[] = "L&eft";
inline constexpr char RightChannel[] = "&Right";
inline constexpr char Preamp[] = "Preamp";
inline constexpr char PresetLabel[] = "Preset";
inline constexpr char SaveButton[] = "&Save...";
inline constexpr char DeleteButton[] = "&Delete";
inline constexpr char SaveTitle[] = "Save preset";
inline constexpr char SavePrompt[] = "Name of the preset:";
inline constexpr char CannotSave[] = "\"%1\" is a built-in preset; choose another name.";
// "%1" is the value in dB.
inline constexpr char DecibelHint[] = "%1 dB";
inline constexpr char Hint[] = "Drag a band, or click it and use the arrow keys; Home centres it.";

inline constexpr char PresetFlat[] = "Flat";
inline constexpr char PresetRock[] = "Rock";
inline constexpr char PresetPop[] = "Pop";
inline constexpr char PresetJazz[] = "Jazz";
inline constexpr char PresetClassical[] = "Classical";
inline constexpr char PresetDance[] = "Dance";
inline constexpr char PresetBass[] = "Bass boost";
inline constexpr char PresetTreble[] = "Treble boost";
inline constexpr char PresetVocal[] = "Vocal";

} // namespace EqualizerStrings
