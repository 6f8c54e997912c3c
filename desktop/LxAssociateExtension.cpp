#include "desktop/LxAssociateExtension.h"

#include "desktop/DesktopEntry.h"
#include "desktop/DesktopStrings.h"
#include "desktop/MimeAppsList.h"
#include "desktop/TextFiles.h"
#include "desktop/XdgPaths.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <stdexcept>

namespace {

[[noreturn]] void Fail(const char* pattern, const QString& subject) {
    throw std::runtime_error(QString::fromUtf8(pattern).arg(subject).toStdString());
}

// Refreshes the MIME cache of the folder when the tool is installed; the
// association works without it, so its failures are not reported.
void RefreshDesktopDatabase(const QString& applicationsFolder) {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("update-desktop-database"));
    if (tool.isEmpty()) return;
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    process.start(tool, {applicationsFolder});
    if (process.waitForStarted() && !process.waitForFinished(10000)) process.kill();
    process.waitForFinished(1000);
}

} // namespace

QString TLxAssociateExtension::ApplicationsFolder() { return XdgDataHome() + QStringLiteral("/applications"); }

QString TLxAssociateExtension::MimeAppsListPath() { return XdgConfigHome() + QStringLiteral("/mimeapps.list"); }

void TLxAssociateExtension::Associate(const QString& icon, const QString& progId, const QString& extension,
                                      const QString& program) {
    const QStringList extensionTypes = DesktopEntry::MimeTypesOfExtension(extension);
    if (extensionTypes.isEmpty()) Fail(DesktopStrings::UnknownExtension, extension);
    const QString fileId = DesktopEntry::FileIdOf(progId);
    if (fileId.isEmpty()) Fail(DesktopStrings::BadTypeName, progId);

    const QString applications = ApplicationsFolder();
    const QString entryPath = applications + QLatin1Char('/') + fileId;
    const QString listPath = MimeAppsListPath();

    QStringList mimeTypes = DesktopEntry::MimeTypesOf(TextFiles::Read(entryPath).value_or(QString()));
    QString list = TextFiles::Read(listPath).value_or(QString());
    for (const QString& mimeType : extensionTypes) {
        if (!mimeTypes.contains(mimeType)) mimeTypes.append(mimeType);
        list = MimeAppsList::WithDefault(list, mimeType, fileId);
    }
    const QString entry = DesktopEntry::Compose({progId, program, mimeTypes, icon});

    TextFiles::MakeFolder(applications);
    TextFiles::MakeFolder(QFileInfo(listPath).absolutePath());
    TextFiles::Replace(entryPath, entry);
    TextFiles::Replace(listPath, list);
    RefreshDesktopDatabase(applications);
}
