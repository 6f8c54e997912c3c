// The pictures and about text of a skin, loaded whole before a skin change so
// that a broken skin leaves the current one in place.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QStringList>
#include <stdexcept>

class ESkinError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An empty picture means that the skin supplies none.
struct TSkinPictures {
    QImage Back;
    QImage Deact;
    QImage Info;
    QImage Mask;
    QImage Over;
    QImage PosRuler;
    QImage PosThumb;
    QImage VolRuler;
    QImage VolThumb;
    QStringList AboutText;
};

// The built-in skin from the program's resources.
TSkinPictures LoadBuiltInSkinPictures();
QByteArray BuiltInSkinLayout();

// The pictures of the skin directory `directory`, each a BMP, JPEG or PCX
// file named in any letter case; slider pictures it lacks come from the
// built-in skin. Raises ESkinError when the background picture is missing or
// empty, and naming the file when a picture exists but cannot be decoded.
TSkinPictures LoadSkinDirectoryPictures(const QString& directory);

// Lines of a text file; a missing file gives no lines.
QStringList ReadTextLines(const QString& name);
