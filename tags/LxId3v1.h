#pragma once

#include "tags/Genres.h"

#include <QString>

// Reads, writes and removes the 128-byte ID3v1 (and ID3v1.1) tag at the end
// of an MPEG audio file. Texts are taken at their full field width, trailing
// zero bytes and blanks included (encodings in Id3v1Text.h).
class TLxId3v1 {
public:
    static constexpr int TagSize = 128;

    // Setting it stores the name and reads that file's tag at once.
    const QString& Filename() const { return filename_; }
    void SetFilename(const QString& fileName);

    const QString& Songname() const { return songname_; }
    void SetSongname(const QString& value) { songname_ = value; }
    const QString& Artist() const { return artist_; }
    void SetArtist(const QString& value) { artist_ = value; }
    const QString& Album() const { return album_; }
    void SetAlbum(const QString& value) { album_ = value; }
    const QString& Year() const { return year_; }
    void SetYear(const QString& value) { year_ = value; }
    const QString& Comment() const { return comment_; }
    void SetComment(const QString& value) { comment_ = value; }
    // The tag's raw genre byte; TGenre::none without a tag.
    TGenre Genre() const { return genre_; }
    void SetGenre(TGenre value) { genre_ = value; }
    // The ID3v1.1 track number; 0 for none.
    int Track() const { return track_; }

    // True when a tag was found. Without one the texts become empty and the
    // genre none. Throws std::runtime_error for a missing or unreadable file
    // or one shorter than 128 bytes; the properties then keep their values.
    bool ReadTag(const QString& fileName);

    // Overwrites the file's tag in place or appends one. Texts are padded
    // with blanks and cut to their field width. False when the file is
    // missing, not writable, shorter than 128 bytes or a write fails; the
    // audio data is never touched and a failed append leaves the file as it was.
    bool WriteTag(const QString& fileName, const QString& songname, const QString& artist, const QString& album,
                  const QString& year, const QString& comment, TGenre genre, int track = 0);

    // Shortens the file by its tag, in place; a file without a tag is left
    // untouched. Throws std::runtime_error when the file cannot be opened or shortened.
    void RemoveTag(const QString& fileName);

private:
    QString filename_;
    QString songname_;
    QString artist_;
    QString album_;
    QString year_;
    QString comment_;
    TGenre genre_ = TGenre::none;
    int track_ = 0;
};
