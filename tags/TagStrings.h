#pragma once

// User-visible texts of the tags subsystem.
namespace TagStrings {

// Errors of ID3v1 reading and removal; %1 is the file name, %2 the system's reason.
inline constexpr const char* CannotOpen = "Unable to open \"%1\": %2";
inline constexpr const char* NotARegularFile = "not a regular file";
inline constexpr const char* CannotRead = "Unable to read \"%1\": %2";
inline constexpr const char* TooShortForTag = "\"%1\" is shorter than an ID3v1 tag (128 bytes)";
inline constexpr const char* CannotShorten = "Unable to remove the tag of \"%1\": %2";

// The tag editor's labels, in row order.
inline constexpr const char* LabelArtist = "Artist";
inline constexpr const char* LabelSongname = "Songname";
inline constexpr const char* LabelAlbum = "Album";
inline constexpr const char* LabelYear = "Year";
inline constexpr const char* LabelComment = "Comment";
inline constexpr const char* LabelGenre = "Genre";

// The tag window.
inline constexpr const char* WindowCaption = "ID3 Tag Window";
inline constexpr const char* PageId3v1 = "ID3v&1.1";
inline constexpr const char* PageId3v2 = "ID3v&2";

// The ID3v2 page.
inline constexpr const char* NoId3v2Tag = "No ID3v2 tag";
inline constexpr const char* Id3v2Version = "ID3v2.%1.%2";
inline constexpr const char* UnsupportedId3v2 = "Unsupported ID3v2 tag (version 2.%1)";
inline constexpr const char* FieldTitle = "Title";
inline constexpr const char* FieldArtist = "Artist";
inline constexpr const char* FieldAlbum = "Album";
inline constexpr const char* FieldYear = "Year";
inline constexpr const char* FieldTrack = "Track";
inline constexpr const char* FieldGenre = "Genre";
inline constexpr const char* FieldComment = "Comment";
inline constexpr const char* GenreRemix = "Remix";
inline constexpr const char* GenreCover = "Cover";

} // namespace TagStrings
