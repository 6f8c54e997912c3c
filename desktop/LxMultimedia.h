#pragma once

// The picture transition unit.
#include "desktop/LxImageTransform.h"
