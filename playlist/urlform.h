#pragma once

#include <QWidget>

class QPushButton;
class TLxEdit;
class TLxPlaylist;

// The URL window: a typed stream address is appended to the playlist.
class Turlform : public QWidget {
    Q_OBJECT
public:
    explicit Turlform(TLxPlaylist& playlist, QWidget* parent = nullptr);

    TLxEdit* urlbox;
    QPushButton* OkButton;

    // Appends the box's text unchanged when it is not empty; the window stays
    // open and the text stays in the box.
    void OkButtonClick();

private:
    TLxPlaylist& playlist_;
};
