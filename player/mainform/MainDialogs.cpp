#include "player/mainform/MainDialogs.h"

#include "player/mainform/MainFormStrings.h"

namespace S = MainFormStrings;

TStandardMainDialogs::TStandardMainDialogs(QWidget* owner)
    : OpenDialog1(TLxFileDialog::TKind::Open, owner), OpenDialog2(TLxFileDialog::TKind::Open, owner) {
    OpenDialog1.SetTitle(QString::fromUtf8(S::AddAndPlayTitle));
    OpenDialog1.SetFilter(QString::fromUtf8(S::AddAndPlayFilter));
    OpenDialog1.SetMultiSelect(true);
    OpenDialog1.SetFolderKey(QStringLiteral("addFiles"));

    OpenDialog2.SetTitle(QString::fromUtf8(S::LoadSkinTitle));
    OpenDialog2.SetFilter(QString::fromUtf8(S::LoadSkinFilter));
    OpenDialog2.SetMultiSelect(true);
    OpenDialog2.SetFolderKey(QStringLiteral("skins"));
}

QStringList TStandardMainDialogs::ChooseFilesToPlay() {
    return OpenDialog1.Execute() ? OpenDialog1.Files() : QStringList();
}

QString TStandardMainDialogs::ChooseSkinFile() { return OpenDialog2.Execute() ? OpenDialog2.FileName() : QString(); }
