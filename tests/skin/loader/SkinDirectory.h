// A skin directory made for one test.
#pragma once

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

class SkinDirectory {
public:
    QString Layout(const QByteArray& ini = "[main]\n") {
        Write("main.ini", ini);
        return m_dir.filePath("main.ini");
    }
    void Write(const QString& name, const QByteArray& bytes) {
        QFile file(m_dir.filePath(name));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
    }
    void Bitmap(const QString& name, const QImage& image) { image.save(m_dir.filePath(name), "BMP"); }
    QString Path(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
};

inline QImage Filled(int width, int height, QRgb colour) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// Distinct colours everywhere, so that a cut-out shows where it came from.
inline QImage Gradient(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) image.setPixel(x, y, qRgb(x % 256, y % 256, (x / 256) * 64));
    return image;
}
