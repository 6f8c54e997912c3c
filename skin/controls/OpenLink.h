#pragma once

#include <QString>

// Hands a web or mail address to the desktop's handler. Empty or malformed
// addresses are not opened; returns whether the address was handed on.
bool OpenLink(const QString& address);
