#pragma once

// The tray icon unit.
#include "desktop/LxTrayIcon.h"
