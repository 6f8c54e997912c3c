// TLxPcx: a picture held as a bitmap that loads and saves ZSoft PCX files.
#pragma once

#include "skin/picture/PcxCodec.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <functional>

class QIODevice;
class QPainter;
class QRect;

class TLxPcx {
public:
    bool Empty() const { return !m_hasBitmap; }
    // -1 when there is no bitmap.
    int Width() const { return m_hasBitmap ? m_size.width() : -1; }
    int Height() const { return m_hasBitmap ? m_size.height() : -1; }
    // Resize the bitmap (new pixels are 0) and signal a change.
    void SetWidth(int width);
    void SetHeight(int height);

    const QImage& Bitmap() const { return m_bitmap; }
    TPcxPixelFormat PixelFormat() const { return m_pixelFormat; }

    // Reads the PCX data from the device's current position to its end.
    // On an error (EPcxError) the picture keeps what it held.
    void LoadFromStream(QIODevice& stream);
    void LoadFromFile(const QString& name);
    // An empty picture writes nothing.
    void SaveToStream(QIODevice& stream) const;
    void SaveToFile(const QString& name) const;

    // From another PCX picture through its PCX encoding; from a bitmap by copy.
    void Assign(const TLxPcx& source);
    void Assign(const QImage& bitmap);
    void AssignTo(TLxPcx& target) const { target.Assign(*this); }
    // An empty picture clears the target.
    void AssignTo(QImage& target) const { target = m_bitmap; }

    // Stretches the bitmap into `target`.
    void Draw(QPainter& painter, const QRect& target) const;

    std::function<void(TLxPcx& sender)> OnChange;

private:
    void Take(TPcxPicture picture);
    void Clear();
    void Resize(QSize size);
    void Changed();

    QImage m_bitmap;
    QSize m_size;
    bool m_hasBitmap = false;
    TPcxPixelFormat m_pixelFormat = TPcxPixelFormat::pf24bit;
};
