#pragma once

// Texts of the main window: status texts, hints, menus and dialogs.
namespace MainFormStrings {

// Status texts.
inline constexpr char Playing[] = "Playing...";
inline constexpr char Paused[] = "Paused!";
inline constexpr char Resumed[] = "Resumed!";
inline constexpr char Stopped[] = "Stopped!";
inline constexpr char SkippingNext[] = "Skipping to next track...";
inline constexpr char GoingPrevious[] = "Going to previous track...";
inline constexpr char Forwarding[] = "Forwarding...";
inline constexpr char Rewinding[] = "Rewinding...";
inline constexpr char ShowingPlaylist[] = "Showing playlist...";
inline constexpr char ChangingVolume[] = "Changing volume...";
inline constexpr char VolumeChanged[] = "Volume changed!";
inline constexpr char ChangingPosition[] = "Changing Position...";
inline constexpr char PositionChanged[] = "Position changed!";
inline constexpr char StatusClicked[] = "Yes... i'm the status bar :-)";
inline constexpr char BitrateClicked[] = "This is the bitrate!";
inline constexpr char FrequencyClicked[] = "This is the frequency!";
inline constexpr char LayerClicked[] = "This is the layer type!";
inline constexpr char TotalTimeClicked[] = "This is the total time of the track!";
inline constexpr char VersionClicked[] = "Version... well you can read it!";
inline constexpr char TimeDisplayChanged[] = "Display of time changed";
inline constexpr char ScrollChanged[] = "Songname Scroll state changed!";
inline constexpr char OpeningDialog[] = "Opening dialog...";
inline constexpr char ShowingTags[] = "Showing ID3 Tag...";
// "%1" is the engine's error text.
inline constexpr char CannotOpenTrack[] = "Cannot open track: %1";
// "%1" is the file name, "%2" why it did not play.
inline constexpr char SkippedTrack[] = "Skipped %1: %2";
inline constexpr char NothingPlayable[] = "Stopped: nothing in the playlist plays (%1: %2)";
inline constexpr char NoAudioInTrack[] = "no audio in it";
inline constexpr char EndOfPlaylist[] = "End of playlist";

// Label texts.
inline constexpr char NoTime[] = "--:--";
inline constexpr char LayerPrefix[] = "Layer ";
inline constexpr char BitrateSuffix[] = " Kbits";
inline constexpr char FrequencySuffix[] = " Khz";

// The current time label's hints (the controls' first hints are the skin's).
inline constexpr char HintElapsedTime[] = "Elapsed Time";
inline constexpr char HintTimeLeft[] = "Time Left";

// The tray icon.
inline constexpr char TrayHint[] = "Tessaly Aerin";

// The tray menu.
inline constexpr char MenuRestore[] = "&Restore Application";
inline constexpr char MenuPlayback[] = "P&layback";
inline constexpr char MenuPlay[] = "Play";
inline constexpr char MenuPause[] = "Pause";
inline constexpr char MenuStop[] = "Stop";
inline constexpr char MenuForward[] = "Fast Foward";
inline constexpr char MenuRewind[] = "Rewind";
inline constexpr char MenuNext[] = "Next Track";
inline constexpr char MenuPrevious[] = "Previous Track";
inline constexpr char MenuOptions[] = "&Options";
inline constexpr char MenuId3[] = "&ID3 Tags";
inline constexpr char MenuPlaylist[] = "&Playlist";
inline constexpr char MenuExit[] = "E&xit Program";
// The skin's menu.
inline constexpr char MenuAboutSkin[] = "&About Skin...";
inline constexpr char MenuTransparent[] = "&Transparent";
inline constexpr char MenuLoadSkin[] = "&Load Skin";
inline constexpr char MenuLoadDefault[] = "Load &Default";
inline constexpr char MenuScrollSongName[] = "&Scroll Songname";
inline constexpr char MenuElapsedTime[] = "D&isplay Elapsed Time";
// Shortcuts of the playback items.
inline constexpr char KeyPlay[] = "Ctrl+P";
inline constexpr char KeyPause[] = "Ctrl+A";
inline constexpr char KeyStop[] = "Ctrl+S";
inline constexpr char KeyForward[] = "Ctrl+F";
inline constexpr char KeyRewind[] = "Ctrl+R";
inline constexpr char KeyNext[] = "Ctrl+N";
inline constexpr char KeyPrevious[] = "Ctrl+V";

// Dialogs (filters in "description|patterns|..." form).
inline constexpr char AddAndPlayTitle[] = "Add MP3 File To Playlist And Play It Now";
inline constexpr char AddAndPlayFilter[] = "MP3 + M3U Files (*.mpx;*.m3u)|*.mp*;*.m3u|MP3 Files (*.mp*)|*.mp*|"
                                           "M3U Playlists (*.m3u)|*.m3u|ALL Files (*.*)|*.*";
inline constexpr char LoadSkinTitle[] = "Load Aerin Skin";
inline constexpr char LoadSkinFilter[] = "Aerin Ini File (main.ini)|main.ini";

// Start-up options and their messages.
inline constexpr char OptionScreenshot[] = "--screenshot";
inline constexpr char OptionQuitAtEnd[] = "--quit-at-end";
inline constexpr char OptionsEnd[] = "--";
inline constexpr char MissingScreenshotFile[] = "taerin: --screenshot needs a file name";
// "%1" is the file name.
inline constexpr char ScreenshotSaved[] = "taerin: screenshot saved to %1";
inline constexpr char ScreenshotFailed[] = "taerin: cannot save the screenshot to %1";
inline constexpr char NothingToPlay[] = "taerin: nothing to play";
// "%1" is the engine's error text.
inline constexpr char TrackFailed[] = "taerin: the track cannot be played: %1";

} // namespace MainFormStrings
