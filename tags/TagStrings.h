#pragma once

// User-visible texts of the tags subsystem.
namespace TagStrings {

// Errors of ID3v1 reading and removal; %1 is the file name, %2 the system's reason.
inline constexpr const char* CannotOpen = "Unable to open \"%1\": %2";
inline constexpr const char* CannotRead = "Unable to read \"%1\": %2";
inline constexpr const char* TooShortForTag = "\"%1\" is shorter than an ID3v1 tag (128 bytes)";
inline constexpr const char* CannotWrite = "Unable to write the tags of \"%1\": %2";
inline constexpr const char* CannotShorten = "Unable to remove the tag of \"%1\": %2";

// The tag editor's labels, in row order.
inline constexpr const char* LabelArtist = "Artist";
inline constexpr const char* LabelSongname = "Songname";
inline constexpr const char* LabelAlbum = "Album";
inline constexpr const char* LabelYear = "Year";
inline constexpr const char* LabelComment = "Comment";
inline constexpr const char* LabelTrack = "Track";
inline constexpr const char* LabelGenre = "Genre";

// The tag window.
inline constexpr const char* WindowCaption = "ID3 Tag Window";
inline constexpr const char* PageId3v1 = "ID3v&1.1";
inline constexpr const char* PageId3v2 = "ID3v&2";
inline constexpr const char* SaveButton = "&Save";
inline constexpr const char* CloseButton = "&Close";
inline constexpr const char* Saved = "Saved.";
inline constexpr const char* NoFile = "No file";
// "%1" is the file name.
inline constexpr const char* CannotWriteId3v1 = "Unable to write the ID3v1 tag of \"%1\"";

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
// Why an ID3v2 tag is left unchanged.
inline constexpr const char* Id3v2Malformed = "its ID3v2 tag is damaged and was left unchanged";
inline constexpr const char* Id3v2CannotEditVersion = "ID3v2.2 tags cannot be edited; the tag was left unchanged";
inline constexpr const char* Id3v2CannotEditLayout =
    "its ID3v2 tag is unsynchronised or has an extended header; it was left unchanged";
inline constexpr const char* Id3v2TooLarge = "its ID3v2 tag is too large";
inline constexpr const char* GenreRemix = "Remix";
inline constexpr const char* GenreCover = "Cover";

} // namespace TagStrings
