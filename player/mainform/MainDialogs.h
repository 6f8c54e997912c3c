#pragma once

#include "playlist/LxDialogs.h"

#include <QString>
#include <QStringList>

class QWidget;

// The choices the main window asks the user for; empty when cancelled.
class TMainDialogs {
public:
    virtual ~TMainDialogs() = default;

    // Files for Add and play.
    virtual QStringList ChooseFilesToPlay() = 0;
    // A skin's layout file for Load skin.
    virtual QString ChooseSkinFile() = 0;
};

// The main window's dialogs on screen.
class TStandardMainDialogs : public TMainDialogs {
public:
    explicit TStandardMainDialogs(QWidget* owner);

    QStringList ChooseFilesToPlay() override;
    QString ChooseSkinFile() override;

    TLxFileDialog OpenDialog1;
    TLxFileDialog OpenDialog2;
};
