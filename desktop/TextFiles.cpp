#include "desktop/TextFiles.h"

#include "desktop/DesktopStrings.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <stdexcept>

namespace TextFiles {
namespace {

[[noreturn]] void Fail(const char* pattern, const QString& path, const QString& reason = {}) {
    QString message = QString::fromUtf8(pattern).arg(path);
    if (!reason.isEmpty()) message = message.arg(reason);
    throw std::runtime_error(message.toStdString());
}

} // namespace

std::optional<QString> Read(const QString& path) {
    QFile file(path);
    if (!file.exists()) return std::nullopt;
    if (!file.open(QIODevice::ReadOnly)) Fail(DesktopStrings::CannotRead, path, file.errorString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) Fail(DesktopStrings::CannotRead, path, file.errorString());
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString text = decoder.decode(bytes);
    if (decoder.hasError() || bytes.contains('\0')) Fail(DesktopStrings::NotATextFile, path);
    return text;
}

void Replace(const QString& path, const QString& text) {
    QSaveFile file(path);
    const QByteArray bytes = text.toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        Fail(DesktopStrings::CannotWrite, path, file.errorString());
}

void MakeFolder(const QString& path) {
    if (!QDir().mkpath(path)) Fail(DesktopStrings::CannotCreateFolder, path);
}

} // namespace TextFiles
