#include "playlist/LxDialogs.h"

#include "desktop/files/LocalFiles.h"

#include <QWidget>

QStringList NameFiltersFromPairs(const QString& filter) {
    const QStringList parts = filter.split(u'|');
    QStringList nameFilters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString patterns = parts[i + 1].split(u';', Qt::SkipEmptyParts).join(u' ');
        nameFilters.append(parts[i] + QLatin1String(" (") + patterns + u')');
    }
    return nameFilters;
}

TLxFileDialog::TLxFileDialog(TKind kind, QWidget* owner) : owner_(owner), kind_(kind) {}

namespace {

TDialogFolders* g_dialogFolders = nullptr;

QString RememberedFolder(const QString& key) {
    return g_dialogFolders && !key.isEmpty() ? g_dialogFolders->Folder(key) : QString();
}

void RememberFolder(const QString& key, const QString& folder) {
    if (g_dialogFolders && !key.isEmpty() && !folder.isEmpty()) g_dialogFolders->SetFolder(key, folder);
}

} // namespace

void SetDialogFolders(TDialogFolders* folders) { g_dialogFolders = folders; }

bool TLxFileDialog::Execute() {
    QFileDialog dialog(owner_, title_);
    if (const QString folder = RememberedFolder(folderKey_); !folder.isEmpty()) dialog.setDirectory(folder);
    dialog.setNameFilters(NameFiltersFromPairs(filter_));
    dialog.setDefaultSuffix(defaultExt_.toLower());
    if (kind_ == TKind::Save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(multiSelect_ ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    }
    if (dialog.exec() != QDialog::Accepted) return false;
    files_.clear();
    for (const QString& file : dialog.selectedFiles()) files_.append(LocalFiles::RecoverDecodedPath(file));
    RememberFolder(folderKey_, dialog.directory().absolutePath());
    return !files_.isEmpty();
}

TLxSelectDirectory::TLxSelectDirectory(QWidget* owner) : owner_(owner) {}

bool TLxSelectDirectory::Execute() {
    QFileDialog::Options options = QFileDialog::ShowDirsOnly;
    if (classicDialog_) options |= options_ | QFileDialog::DontUseNativeDialog;
    const QString remembered = RememberedFolder(folderKey_);
    const QString chosen =
        QFileDialog::getExistingDirectory(owner_, title_, remembered.isEmpty() ? startDir_ : remembered, options);
    if (chosen.isEmpty()) return false;
    directory_ = LocalFiles::RecoverDecodedPath(chosen);
    RememberFolder(folderKey_, chosen);
    return true;
}
