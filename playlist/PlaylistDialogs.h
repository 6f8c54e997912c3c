#pragma once

#include "playlist/LxDialogs.h"

#include <QString>
#include <QStringList>

class QWidget;

// The choices the playlist window asks the user for. Each returns an empty
// result when the user cancels.
class TPlaylistDialogs {
public:
    virtual ~TPlaylistDialogs() = default;

    virtual QStringList ChooseFilesToAdd() = 0;
    virtual QString ChoosePlaylistToLoad() = 0;
    // `filter` in "description|patterns|..." form, `defaultExt` without dot.
    virtual QString ChooseSaveName(const QString& filter, const QString& defaultExt) = 0;
    virtual QString ChooseDirectory() = 0;
};

// The playlist window's dialogs on screen.
class TStandardPlaylistDialogs : public TPlaylistDialogs {
public:
    explicit TStandardPlaylistDialogs(QWidget* owner);

    QStringList ChooseFilesToAdd() override;
    QString ChoosePlaylistToLoad() override;
    QString ChooseSaveName(const QString& filter, const QString& defaultExt) override;
    QString ChooseDirectory() override;

    TLxFileDialog OpenDialog1;
    TLxFileDialog OpenplaylistDialog;
    TLxFileDialog SaveDialog1;
    TLxSelectDirectory LxSelectDirectory1;
};
