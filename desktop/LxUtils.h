#pragma once

// The utilities unit: file type association and dropped files.
#include "desktop/LxAssociateExtension.h"
#include "desktop/LxDragDrop.h"
