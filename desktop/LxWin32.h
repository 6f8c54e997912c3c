#pragma once

// The page control unit.
#include "desktop/LxPageControl.h"
