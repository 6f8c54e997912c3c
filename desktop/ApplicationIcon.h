#pragma once

#include <QIcon>

// The program's icon: "taerin" from the icon theme where it is installed,
// else the sizes the program carries (when taerin_icon_resources is linked).
QIcon TaerinIcon();
