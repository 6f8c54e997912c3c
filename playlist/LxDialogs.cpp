#include "playlist/LxDialogs.h"

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

bool TLxFileDialog::Execute() {
    QFileDialog dialog(owner_, title_);
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
    files_ = dialog.selectedFiles();
    return !files_.isEmpty();
}

TLxSelectDirectory::TLxSelectDirectory(QWidget* owner) : owner_(owner) {}

bool TLxSelectDirectory::Execute() {
    QFileDialog::Options options = QFileDialog::ShowDirsOnly;
    if (classicDialog_) options |= options_ | QFileDialog::DontUseNativeDialog;
    const QString chosen = QFileDialog::getExistingDirectory(owner_, title_, startDir_, options);
    if (chosen.isEmpty()) return false;
    directory_ = chosen;
    return true;
}
