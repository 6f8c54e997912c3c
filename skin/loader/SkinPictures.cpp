#include "skin/loader/SkinPictures.h"

#include "skin/loader/SkinStrings.h"
#include "skin/picture/JpegDecoder.h"
#include "skin/picture/PcxCodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QRegularExpression>

// Resources of a static library are registered on first use.
static void InitBuiltInSkinResources() {
    static const bool done = [] {
        Q_INIT_RESOURCE(default_skin);
        return true;
    }();
    (void)done;
}

namespace {

using namespace skin_strings;

QByteArray ReadResource(const char* name) {
    InitBuiltInSkinResources();
    QFile file(QString::fromLatin1(name));
    if (!file.open(QIODevice::ReadOnly))
        throw ESkinError(QString(kBuiltInSkinBroken).arg(QString::fromLatin1(name)).toStdString());
    return file.readAll();
}

QImage BuiltInJpeg(const char* name) {
    try {
        return DecodeJpeg(ReadResource(name));
    } catch (const EJpegError& error) {
        throw ESkinError(QString(kBuiltInSkinBroken).arg(QString::fromUtf8(error.what())).toStdString());
    }
}

QImage BuiltInPcx(const char* name) {
    try {
        return DecodePcx(ReadResource(name)).Bitmap;
    } catch (const EPcxError& error) {
        throw ESkinError(QString(kBuiltInSkinBroken).arg(QString::fromUtf8(error.what())).toStdString());
    }
}

QStringList SplitLines(const QByteArray& text) {
    QStringList lines = QString::fromUtf8(text).split(QRegularExpression("\r\n|\n|\r"));
    if (!lines.isEmpty() && lines.back().isEmpty()) lines.removeLast();
    return lines;
}

// A missing file gives an empty picture; a file that is no BMP raises.
QImage DirectoryBitmap(const QDir& directory, const char* fileName) {
    const QString path = directory.filePath(QString::fromLatin1(fileName));
    if (!QFileInfo::exists(path)) return {};
    QImageReader reader(path, "bmp");
    reader.setAutoTransform(false);
    QImage image = reader.read();
    if (image.isNull()) throw ESkinError(QString(kBitmapNotValid).arg(path).toStdString());
    return image;
}

QImage DirectoryBitmapOr(const QDir& directory, const char* fileName, const char* resource) {
    QImage image = DirectoryBitmap(directory, fileName);
    return image.isNull() ? BuiltInJpeg(resource) : image;
}

} // namespace

TSkinPictures LoadBuiltInSkinPictures() {
    TSkinPictures p;
    p.AboutText = SplitLines(ReadResource(kResAboutText));
    p.Back = BuiltInJpeg(kResBack);
    p.Deact = BuiltInJpeg(kResDeact);
    p.Info = BuiltInJpeg(kResInfo);
    p.PosRuler = BuiltInJpeg(kResPosRuler);
    p.PosThumb = BuiltInJpeg(kResPosThumb);
    p.VolRuler = BuiltInJpeg(kResVolRuler);
    p.VolThumb = BuiltInJpeg(kResVolThumb);
    p.Over = BuiltInPcx(kResOver);
    p.Mask = BuiltInPcx(kResMask);
    return p;
}

QByteArray BuiltInSkinLayout() { return ReadResource(kResMain); }

TSkinPictures LoadSkinDirectoryPictures(const QString& directory) {
    const QDir dir(directory);
    TSkinPictures p;
    p.Back = DirectoryBitmap(dir, kBackFile);
    p.Deact = DirectoryBitmap(dir, kDeactFile);
    p.Info = DirectoryBitmap(dir, kInfoFile);
    p.Mask = DirectoryBitmap(dir, kMaskFile);
    p.Over = DirectoryBitmap(dir, kOverFile);
    p.PosRuler = DirectoryBitmapOr(dir, kPosRulerFile, kResPosRuler);
    p.PosThumb = DirectoryBitmapOr(dir, kPosThumbFile, kResPosThumb);
    p.VolRuler = DirectoryBitmapOr(dir, kVolRulerFile, kResVolRuler);
    p.VolThumb = DirectoryBitmapOr(dir, kVolThumbFile, kResVolThumb);
    p.AboutText = ReadTextLines(dir.filePath(QString::fromLatin1(kAboutTextFile)));
    return p;
}

QStringList ReadTextLines(const QString& name) {
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return SplitLines(file.readAll());
}
