#pragma once

// The ID3v1 unit: the tag reader and writer, the editor's values and the editor.
#include "tags/Genres.h"
#include "tags/LxId3v1.h"
#include "tags/LxId3v1Tag.h"
#include "tags/LxVisualId3v1.h"
