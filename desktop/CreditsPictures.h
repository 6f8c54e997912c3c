#pragma once

#include <QPixmap>

// The two pictures of the options window's credits page, drawn by the
// program (223 x 223): the player's emblem, and the engine's waveform.
QPixmap PlayerCreditsPicture();
QPixmap EngineCreditsPicture();
