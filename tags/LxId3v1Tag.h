#pragma once

#include "tags/Genres.h"

#include <QString>
#include <functional>

// The seven values a tag editor shows. Each setter stores its value, then
// calls the owner's change notification when one is attached.
class TLxId3v1Tag {
public:
    TLxId3v1Tag() = default;
    TLxId3v1Tag(const TLxId3v1Tag&) = delete;
    TLxId3v1Tag& operator=(const TLxId3v1Tag&) = delete;

    const QString& Album() const { return album_; }
    void SetAlbum(const QString& value) { Store(album_, value); }
    const QString& Artist() const { return artist_; }
    void SetArtist(const QString& value) { Store(artist_, value); }
    const QString& Comment() const { return comment_; }
    void SetComment(const QString& value) { Store(comment_, value); }
    const QString& Songname() const { return songname_; }
    void SetSongname(const QString& value) { Store(songname_, value); }
    const QString& Year() const { return year_; }
    void SetYear(const QString& value) { Store(year_, value); }
    TGenre Genre() const { return genre_; }
    void SetGenre(TGenre value) { Store(genre_, value); }
    int Track() const { return track_; }
    void SetTrack(int value) { Store(track_, value); }

    // The owner's change notification.
    void AttachOwner(std::function<void()> changed) { changed_ = std::move(changed); }

private:
    template <typename T> void Store(T& field, const T& value) {
        field = value;
        if (changed_) changed_();
    }

    QString album_;
    QString artist_;
    QString comment_;
    QString songname_;
    QString year_;
    TGenre genre_ = TGenre::Blues;
    int track_ = 0;
    std::function<void()> changed_;
};
