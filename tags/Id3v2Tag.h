#pragma once

#include <QString>

// The text frames of an ID3v2 tag that the tag window shows.
struct Id3v2Tag {
    enum class Status { NoTag, Unsupported, Read };

    Status status = Status::NoTag;
    int majorVersion = 0; // 2, 3 or 4 when read
    int revision = 0;

    QString title;
    QString artist;
    QString album;
    QString year; // year, or the recording time of ID3v2.4
    QString track;
    QString genre; // numeric references resolved to genre names
    QString comment;
};
