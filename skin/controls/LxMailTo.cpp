#include "skin/controls/LxMailTo.h"

#include "skin/controls/OpenLink.h"

TLxMailTo::TLxMailTo(QWidget* parent) : TLxLabel(parent) { setCursor(Qt::PointingHandCursor); }

void TLxMailTo::Clicked() { OpenLink(MailToAddress(fields_)); }
