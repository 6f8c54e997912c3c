#pragma once

// Where the playing line of a playlist stands: its position, or, once it was
// deleted, the position of the line that slid into its place (`Removed`).
// Index -1 when no line was started since the list was last emptied.
struct TPlayingPlace {
    int Index = -1;
    bool Removed = false;
};
