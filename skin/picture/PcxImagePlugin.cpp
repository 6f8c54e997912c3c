#include "skin/picture/PcxImagePlugin.h"

#include "skin/picture/PcxCodec.h"
#include "skin/picture/PcxHeader.h"
#include "skin/picture/PictureStrings.h"

#include <QIODevice>
#include <QStaticPlugin>
#include <QtPlugin>

bool PcxImageHandler::canRead() const {
    if (!CanRead(device())) return false;
    setFormat(picture_strings::kPcxFormatName);
    return true;
}

bool PcxImageHandler::CanRead(QIODevice* device) {
    if (!device) return false;
    const QByteArray head = device->peek(4);
    return head.size() == 4 && quint8(head[0]) == TPcxHeader::kManufacturer && quint8(head[1]) <= 5 &&
           quint8(head[2]) == 1 && (head[3] == 1 || head[3] == 8);
}

bool PcxImageHandler::read(QImage* image) {
    try {
        *image = DecodePcx(device()->readAll()).Bitmap;
        return true;
    } catch (const EPcxError& error) {
        qWarning("%s", error.what());
        return false;
    }
}

bool PcxImageHandler::write(const QImage& image) {
    try {
        const QByteArray data = EncodePcx(image, PcxFormatFor(image, TPcxPixelFormat::pf8bit));
        return !data.isEmpty() && device()->write(data) == data.size();
    } catch (const EPcxError& error) {
        qWarning("%s", error.what());
        return false;
    }
}

QImageIOPlugin::Capabilities PcxImagePlugin::capabilities(QIODevice* device, const QByteArray& format) const {
    if (format.toLower() == picture_strings::kPcxFormatName) return CanRead | CanWrite;
    if (!format.isEmpty() || !device || !device->isOpen()) return {};
    Capabilities caps;
    if (device->isReadable() && PcxImageHandler::CanRead(device)) caps |= CanRead;
    if (device->isWritable()) caps |= CanWrite;
    return caps;
}

QImageIOHandler* PcxImagePlugin::create(QIODevice* device, const QByteArray& format) const {
    auto* handler = new PcxImageHandler;
    handler->setDevice(device);
    handler->setFormat(format);
    return handler;
}

extern const QStaticPlugin qt_static_plugin_PcxImagePlugin();

void RegisterPcxImageFormat() {
    static const bool registered = [] {
        qRegisterStaticPluginFunction(qt_static_plugin_PcxImagePlugin());
        return true;
    }();
    (void)registered;
}
