#include "playlist/PlaylistDialogs.h"

#include "playlist/PlaylistStrings.h"

namespace S = PlaylistStrings;

TStandardPlaylistDialogs::TStandardPlaylistDialogs(QWidget* owner)
    : OpenDialog1(TLxFileDialog::TKind::Open, owner), OpenplaylistDialog(TLxFileDialog::TKind::Open, owner),
      SaveDialog1(TLxFileDialog::TKind::Save, owner), LxSelectDirectory1(owner) {
    OpenDialog1.SetTitle(QString::fromUtf8(S::AddFilesTitle));
    OpenDialog1.SetFilter(QString::fromUtf8(S::AddFilesFilter));
    OpenDialog1.SetMultiSelect(true);
    OpenDialog1.SetFolderKey(QStringLiteral("addFiles"));

    OpenplaylistDialog.SetTitle(QString::fromUtf8(S::LoadPlaylistTitle));
    OpenplaylistDialog.SetFilter(QString::fromUtf8(S::LoadPlaylistFilter));
    OpenplaylistDialog.SetDefaultExt(QString::fromUtf8(S::M3uExtension));
    OpenplaylistDialog.SetFolderKey(QStringLiteral("playlists"));

    SaveDialog1.SetTitle(QString::fromUtf8(S::SavePlaylistTitle));
    SaveDialog1.SetFolderKey(QStringLiteral("playlists"));
    LxSelectDirectory1.SetFolderKey(QStringLiteral("addFolder"));
}

QStringList TStandardPlaylistDialogs::ChooseFilesToAdd() {
    return OpenDialog1.Execute() ? OpenDialog1.Files() : QStringList();
}

QString TStandardPlaylistDialogs::ChoosePlaylistToLoad() {
    return OpenplaylistDialog.Execute() ? OpenplaylistDialog.FileName() : QString();
}

QString TStandardPlaylistDialogs::ChooseSaveName(const QString& filter, const QString& defaultExt) {
    SaveDialog1.SetFilter(filter);
    SaveDialog1.SetDefaultExt(defaultExt);
    return SaveDialog1.Execute() ? SaveDialog1.FileName() : QString();
}

QString TStandardPlaylistDialogs::ChooseDirectory() {
    return LxSelectDirectory1.Execute() ? LxSelectDirectory1.Directory() : QString();
}
