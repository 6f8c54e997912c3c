#include "skin/controls/LxHotLink.h"

#include "skin/controls/OpenLink.h"

TLxHotLink::TLxHotLink(QWidget* parent) : TLxLabel(parent) { setCursor(Qt::PointingHandCursor); }

void TLxHotLink::Clicked() { OpenLink(url_); }
