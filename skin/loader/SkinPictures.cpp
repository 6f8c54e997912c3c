#include "skin/loader/SkinPictures.h"

#include "skin/loader/SkinStrings.h"
#include "skin/picture/JpegDecoder.h"
#include "skin/picture/PcxCodec.h"

#include <QDir>
#include <QFile>
#include <QHash>
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

// The files of a skin directory by lower-cased name.
class TSkinFolder {
public:
    explicit TSkinFolder(const QString& directory) : m_dir(directory) {
        for (const QString& name : m_dir.entryList(QDir::Files | QDir::Hidden)) {
            const QString key = name.toLower();
            // Of names that differ in case only, the exact lower-case one wins.
            if (!m_names.contains(key) || name == key) m_names.insert(key, name);
        }
    }

    // The path of `name` in any letter case; empty when there is none.
    QString Find(const QString& name) const {
        const auto found = m_names.constFind(name.toLower());
        return found == m_names.cend() ? QString() : m_dir.filePath(*found);
    }

    // The picture `baseName` with the first extension found; a missing
    // picture gives an empty one, a file that decodes as none of the
    // formats raises.
    QImage Picture(const char* baseName) const {
        for (const char* extension : kPictureExtensions) {
            const QString path = Find(QString::fromLatin1(baseName) + QLatin1String(extension));
            if (!path.isEmpty()) return Decode(path);
        }
        return {};
    }

private:
    static QImage Decode(const QString& path) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) throw ESkinError(QString(kCannotReadFile).arg(path).toStdString());
        const QByteArray data = file.readAll();
        QImage image;
        try {
            if (data.startsWith("\xFF\xD8"))
                image = DecodeJpeg(data);
            else if (data.startsWith('\x0A'))
                image = DecodePcx(data).Bitmap;
            else if (data.startsWith("BM"))
                image = QImage::fromData(data, "bmp");
        } catch (const std::runtime_error&) {
            image = QImage();
        }
        if (image.isNull()) throw ESkinError(QString(kBitmapNotValid).arg(path).toStdString());
        return image;
    }

    QDir m_dir;
    QHash<QString, QString> m_names;
};

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
    const TSkinFolder folder(directory);
    const auto pictureOr = [&folder](const char* baseName, const char* resource) {
        QImage image = folder.Picture(baseName);
        return image.isNull() ? BuiltInJpeg(resource) : image;
    };
    TSkinPictures p;
    p.Back = folder.Picture(kBackFile);
    if (p.Back.isNull()) throw ESkinError(QString(kNoBackground).arg(directory).toStdString());
    p.Deact = folder.Picture(kDeactFile);
    p.Info = folder.Picture(kInfoFile);
    p.Mask = folder.Picture(kMaskFile);
    p.Over = folder.Picture(kOverFile);
    p.PosRuler = pictureOr(kPosRulerFile, kResPosRuler);
    p.PosThumb = pictureOr(kPosThumbFile, kResPosThumb);
    p.VolRuler = pictureOr(kVolRulerFile, kResVolRuler);
    p.VolThumb = pictureOr(kVolThumbFile, kResVolThumb);
    const QString aboutText = folder.Find(QString::fromLatin1(kAboutTextFile));
    if (!aboutText.isEmpty()) p.AboutText = ReadTextLines(aboutText);
    return p;
}

QStringList ReadTextLines(const QString& name) {
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return SplitLines(file.readAll());
}
