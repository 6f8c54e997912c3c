#include "skin/picture/LxGraphics.h"

#include "skin/picture/PictureStrings.h"

#include <QFile>
#include <QIODevice>
#include <QPainter>
#include <QSaveFile>

void TLxPcx::SetWidth(int width) { Resize({width, m_hasBitmap ? m_size.height() : 0}); }

void TLxPcx::SetHeight(int height) { Resize({m_hasBitmap ? m_size.width() : 0, height}); }

void TLxPcx::Resize(QSize size) {
    size = size.expandedTo({0, 0});
    if (size.isEmpty()) {
        m_bitmap = QImage();
    } else if (m_bitmap.isNull()) {
        const bool indexed = m_pixelFormat == TPcxPixelFormat::pf4bit || m_pixelFormat == TPcxPixelFormat::pf8bit;
        m_bitmap = QImage(size, m_pixelFormat == TPcxPixelFormat::pf1bit ? QImage::Format_Mono
                                : indexed                                ? QImage::Format_Indexed8
                                                                         : QImage::Format_RGB888);
        if (m_bitmap.isNull()) throw EPcxError(picture_strings::kPcxTooLarge);
        m_bitmap.fill(0);
        if (m_pixelFormat == TPcxPixelFormat::pf1bit)
            m_bitmap.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
        else if (indexed)
            m_bitmap.setColorTable(QList<QRgb>(m_pixelFormat == TPcxPixelFormat::pf4bit ? 16 : 256, qRgb(0, 0, 0)));
    } else {
        m_bitmap = m_bitmap.copy(0, 0, size.width(), size.height());
    }
    m_size = size;
    m_hasBitmap = true;
    Changed();
}

void TLxPcx::LoadFromStream(QIODevice& stream) {
    const QByteArray data = stream.readAll();
    Take(DecodePcx(data));
}

void TLxPcx::LoadFromFile(const QString& name) {
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        throw EPcxError(QString(picture_strings::kPcxCannotOpen).arg(name).toStdString());
    LoadFromStream(file);
}

void TLxPcx::SaveToStream(QIODevice& stream) const {
    if (m_bitmap.isNull()) return;
    const QByteArray data = EncodePcx(m_bitmap, PcxFormatFor(m_bitmap, m_pixelFormat));
    if (stream.write(data) != data.size()) throw EPcxError(picture_strings::kPcxWriteFailed);
}

void TLxPcx::SaveToFile(const QString& name) const {
    QSaveFile file(name);
    if (!file.open(QIODevice::WriteOnly))
        throw EPcxError(QString(picture_strings::kPcxCannotCreate).arg(name).toStdString());
    SaveToStream(file);
    if (!file.commit()) throw EPcxError(picture_strings::kPcxWriteFailed);
}

void TLxPcx::Assign(const TLxPcx& source) {
    if (&source == this) return;
    if (source.m_bitmap.isNull()) {
        Clear();
        return;
    }
    Take(DecodePcx(EncodePcx(source.m_bitmap, PcxFormatFor(source.m_bitmap, source.m_pixelFormat))));
}

void TLxPcx::Assign(const QImage& bitmap) {
    if (bitmap.isNull()) {
        Clear();
        return;
    }
    Take({bitmap, PcxFormatFor(bitmap, TPcxPixelFormat::pf8bit)});
}

void TLxPcx::Draw(QPainter& painter, const QRect& target) const {
    if (!m_bitmap.isNull()) painter.drawImage(target, m_bitmap);
}

void TLxPcx::Take(TPcxPicture picture) {
    m_bitmap = std::move(picture.Bitmap);
    m_pixelFormat = picture.PixelFormat;
    m_size = m_bitmap.size();
    m_hasBitmap = true;
    Changed();
}

void TLxPcx::Clear() {
    m_bitmap = QImage();
    m_size = {};
    m_hasBitmap = false;
    Changed();
}

void TLxPcx::Changed() {
    if (OnChange) OnChange(*this);
}
