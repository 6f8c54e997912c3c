#pragma once

#include <QColor>
#include <QString>

class QWidget;

// The look of the player's own windows (equalizer, tags): the dark face of
// the skin with the amber of its display.
namespace PlayerStyle {

QColor Face();
QColor Amber();

// Gives `window` and its children the look.
void Apply(QWidget* window);

} // namespace PlayerStyle
