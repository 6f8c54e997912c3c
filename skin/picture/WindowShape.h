// Window shapes from mask pictures.
#pragma once

#include <QImage>
#include <QRegion>

// The region of every pixel whose colour differs from the colour of the
// mask's top-left pixel, built row by row from horizontal runs. An empty
// mask gives an empty region (no shape).
QRegion RegionFromMask(const QImage& mask);
