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
inline constexpr char FrequencySuffix[] = " kHz";

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

// The keys' meanings in the About text.
inline constexpr char KeyMeaningPlayPause[] = "play / pause";
inline constexpr char KeyMeaningPlay[] = "play the selected track";
inline constexpr char KeyMeaningPause[] = "pause / resume";
inline constexpr char KeyMeaningStop[] = "stop";
inline constexpr char KeyMeaningNext[] = "next track";
inline constexpr char KeyMeaningPrevious[] = "previous track";
inline constexpr char KeyMeaningSeekForward[] = "5 seconds forward (hold Forward to wind)";
inline constexpr char KeyMeaningSeekBackward[] = "5 seconds back (hold Rewind to wind)";
inline constexpr char KeyMeaningVolumeUp[] = "volume up 5 %";
inline constexpr char KeyMeaningVolumeDown[] = "volume down 5 %";
inline constexpr char KeyMeaningAddFiles[] = "add files and play";
inline constexpr char KeyMeaningAddUrl[] = "add a stream address";
inline constexpr char KeyMeaningEqualizer[] = "equalizer";
inline constexpr char KeyMeaningShuffle[] = "shuffle on / off";
inline constexpr char KeyMeaningRepeat[] = "repeat off / all / one";
inline constexpr char KeyMeaningPlaylistKeys[] = "In the playlist: Return plays the selected track, Delete removes "
                                                 "the selection, Insert adds files; drag lines to reorder them.";

// The About window; "%1" is the version, "%2" the key reference.
inline constexpr char MenuAbout[] = "About &Taerin...";
inline constexpr char AboutTitle[] = "About Taerin";
inline constexpr char AboutText[] = "Taerin %1\nA skinnable MPEG audio player.\n\nKeys\n%2\n\n"
                                    "A click on the position bar seeks there; drag it to choose the point.";

// Volume, seek and order texts; "%1" is a number or a name.
inline constexpr char VolumePercent[] = "Volume %1%";
inline constexpr char SeekTarget[] = "Seek to %1";
inline constexpr char MenuEqualizer[] = "&Equalizer...";
inline constexpr char MenuShuffle[] = "S&huffle";
inline constexpr char MenuRepeat[] = "Re&peat";
inline constexpr char MenuRepeatOff[] = "&Off";
inline constexpr char MenuRepeatAll[] = "&All";
inline constexpr char MenuRepeatOne[] = "&One track";
inline constexpr char ShuffleOn[] = "Shuffle on";
inline constexpr char ShuffleOff[] = "Shuffle off";
inline constexpr char RepeatOff[] = "Repeat off";
inline constexpr char RepeatAll[] = "Repeat all";
inline constexpr char RepeatOne[] = "Repeat one track";

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
inline constexpr char OptionHelp[] = "--help";
inline constexpr char OptionHelpShort[] = "-h";
inline constexpr char OptionVersion[] = "--version";
inline constexpr char Usage[] = "Usage: taerin [OPTION]... [FILE]...\n"
                                "Plays MPEG audio files (.mp1, .mp2, .mp3), playlists (.m3u) and streams.\n"
                                "Files on the command line are added to the playlist and played;\n"
                                "without them the last playlist comes back without playing.\n"
                                "\n"
                                "  --screenshot FILE  save a picture of the main window when the first track ends\n"
                                "  --quit-at-end      end the program when the first track ends\n"
                                "  -h, --help         show this help and exit\n"
                                "      --version      show the version and exit\n"
                                "  --                 the arguments after it are files\n";
// "%1" is the version number.
inline constexpr char VersionLine[] = "taerin %1";
inline constexpr char MissingScreenshotFile[] = "taerin: --screenshot needs a file name";
// "%1" is the file name.
inline constexpr char ScreenshotSaved[] = "taerin: screenshot saved to %1";
inline constexpr char ScreenshotFailed[] = "taerin: cannot save the screenshot to %1";
inline constexpr char NothingToPlay[] = "taerin: nothing to play";
// "%1" is the engine's error text.
inline constexpr char TrackFailed[] = "taerin: the track cannot be played: %1";

} // namespace MainFormStrings
