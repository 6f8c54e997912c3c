#pragma once

// Texts and file names of the playlist subsystem that the user sees.

namespace PlaylistStrings {

// Playlist window
inline constexpr const char* WindowCaption = "Playlist Window";
inline constexpr const char* CaptionPrefix = "Playlist Window... ";
inline constexpr const char* CaptionSuffix = " tracks";
// The list's total time: "%1" the time, "%2" "+" when some are unknown.
inline constexpr const char* CaptionTotal = " \u2013 %1%2";
inline constexpr const char* ScanningCaption = "Scanning: ";

inline constexpr const char* AddButton = "&Add";
inline constexpr const char* DeleteButton = "&Delete";
inline constexpr const char* SelectButton = "&Select";
inline constexpr const char* MiscButton = "&Misc";

inline constexpr const char* AddFiles = "&Files...";
inline constexpr const char* AddDir = "&Dir...";
inline constexpr const char* AddUrl = "&Url...";

inline constexpr const char* DeleteAll = "&All";
inline constexpr const char* DeleteAllButSelected = "All &but selected";
inline constexpr const char* DeleteDeadFiles = "&Dead files";
inline constexpr const char* DeleteSelected = "&Selected";

inline constexpr const char* SelectAll = "&All";
inline constexpr const char* SelectInvert = "&Invert selection";
inline constexpr const char* SelectNone = "&None";

inline constexpr const char* SortMenu = "&Sort";
inline constexpr const char* SortByPath = "by &Path";
inline constexpr const char* SortByPathInverted = "by Path &inverted";
inline constexpr const char* SortBySongname = "by &Songname";
inline constexpr const char* SortBySongnameInverted = "by So&ngname inverted";
inline constexpr const char* Randomize = "&Randomize";
inline constexpr const char* InvertOrder = "Invert &Order";
inline constexpr const char* LoadMenu = "&Load";
inline constexpr const char* LoadReplace = "&Replace";
inline constexpr const char* LoadAppend = "A&ppend";
inline constexpr const char* MoveMenu = "&Move";
inline constexpr const char* MoveUp = "&Up";
inline constexpr const char* MoveDown = "&Down";
inline constexpr const char* SaveMenu = "S&ave";
inline constexpr const char* SaveM3u = "Save To M3U...";
inline constexpr const char* SaveHtml = "Save To HTML...";
inline constexpr const char* Info = "&Info (Id3 Tags)";

// Dialogs (filters in "description|patterns|description|patterns" form)
inline constexpr const char* AddFilesTitle = "Add MP3 File To Playlist";
inline constexpr const char* AddFilesFilter =
    "MP3 + Playlists (*.mpx;*.m3u;*.m3u8;*.pls)|*.mp*;*.m3u;*.m3u8;*.pls|MP3 Files (*.mp*)|*.mp*|"
    "Playlists (*.m3u;*.m3u8;*.pls)|*.m3u;*.m3u8;*.pls|ALL Files (*.*)|*.*";
inline constexpr const char* LoadPlaylistTitle = "Load Playlist";
inline constexpr const char* LoadPlaylistFilter =
    "Playlists (*.m3u;*.m3u8;*.pls)|*.m3u;*.m3u8;*.pls|M3U Lists (*.m3u)|*.m3u|ALL Files (*.*)|*.*";
inline constexpr const char* M3uFilter = "M3U Lists (*.m3u)|*.m3u|ALL Files (*.*)|*.*";
inline constexpr const char* M3uExtension = "M3U";
inline constexpr const char* SavePlaylistTitle = "Save Playlist";
inline constexpr const char* HtmlFilter = "Html Files (*.html)|*.html|ALL Files (*.*)|*.*";
inline constexpr const char* HtmlExtension = "HTML";

// URL window
inline constexpr const char* UrlCaption = "Enter URL ...";
inline constexpr const char* UrlOk = "OK";
inline constexpr const char* UrlCancel = "Cancel";
inline constexpr const char* UrlFetching = "Fetching...";

// Files
inline constexpr const char* LastPlaylistName = "last.m3u";
inline constexpr const char* ConfigFolderName = "taerin";

// Errors
inline constexpr const char* CannotRead = "Cannot read playlist \"%1\": %2";
inline constexpr const char* CannotWrite = "Cannot write \"%1\": %2";
inline constexpr const char* NotText = "not a text playlist (it holds binary data)";
inline constexpr const char* TooLarge = "the file is larger than %1 MiB";
inline constexpr const char* NoSuchLine = "Playlist line %1 does not exist (the list has %2 lines)";
inline constexpr const char* NoConfigFolder = "Cannot create the folder \"%1\"";

// Station lists
inline constexpr const char* InvalidAddress = "\"%1\" is not a valid address";
inline constexpr const char* CannotFetch = "Cannot fetch \"%1\": %2";
inline constexpr const char* NoAnswer = "the server did not answer within %1 s";
inline constexpr const char* NotStationList = "\"%1\" is a web page, not a station list";
inline constexpr const char* StationListTooLarge = "The station list \"%1\" is larger than %2 MiB";
inline constexpr const char* StationListNotText = "The station list \"%1\" holds binary data";
inline constexpr const char* NoStations = "The station list \"%1\" holds no entries";

} // namespace PlaylistStrings
