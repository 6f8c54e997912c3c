#pragma once

#include <QString>

// Base folders of the XDG base directory convention; relative values of the
// variables are ignored as the convention requires.
QString XdgDataHome();   // $XDG_DATA_HOME or ~/.local/share
QString XdgConfigHome(); // $XDG_CONFIG_HOME or ~/.config
