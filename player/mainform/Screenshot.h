#pragma once

#include <QImage>

class QWidget;

// A picture of `window` as it is drawn, transparent outside its shape (its
// mask) when it has one.
QImage ShapedScreenshot(QWidget& window);
