// The PCX codec as a Qt image-format plug-in ("pcx"), linked statically.
#pragma once

#include <QImageIOHandler>
#include <QImageIOPlugin>

class PcxImageHandler : public QImageIOHandler {
public:
    bool canRead() const override;
    bool read(QImage* image) override;
    bool write(const QImage& image) override;

    static bool CanRead(QIODevice* device);
};

class PcxImagePlugin : public QImageIOPlugin {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID QImageIOHandlerFactoryInterface_iid FILE "pcx.json")
public:
    Capabilities capabilities(QIODevice* device, const QByteArray& format) const override;
    QImageIOHandler* create(QIODevice* device, const QByteArray& format) const override;
};

// Makes QImage, QImageReader and QImageWriter handle "pcx"; safe to call
// more than once.
void RegisterPcxImageFormat();
