// JPEG decoding with libjpeg straight into a QImage.
#pragma once

#include <QByteArrayView>
#include <QImage>
#include <stdexcept>

class EJpegError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Colour pictures come back as Format_RGB888, greyscale ones as
// Format_Grayscale8. Raises EJpegError with libjpeg's message for data that
// is no JPEG or cannot be decoded; data that ends early decodes as far as it
// goes.
QImage DecodeJpeg(QByteArrayView data);
