#pragma once

#include <QWidget>

class QLabel;
class TLxSoundControl;
class TLxZelkorPlayer;

// The main window in its first form: it owns the engine binding and the mixer
// control, plays the files it is given and shows what plays.
class Tmainform : public QWidget {
public:
    // Throws when the engine cannot be started (see TLxZelkorPlayer).
    explicit Tmainform(QWidget* parent = nullptr);

    // Opens the file and plays it.
    void PlayFile(const QString& path);

    TLxZelkorPlayer* LxZelkorPlayer1;
    TLxSoundControl* LxSoundControl1;

private:
    void ShowStatus();

    QLabel* m_status;
    QString m_track;
    QString m_time;
    QString m_problem;
};
