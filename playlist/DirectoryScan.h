#pragma once

#include <QString>

#include <functional>

// Walks `folder` depth first, its entries (hidden ones too) in the natural
// order of their names (see NaturalSortKey), descending into each subfolder where it is met. Calls
// `entering` with each folder before listing it and `found` with every
// existing file that IsScannedTrack accepts. A folder reached a second time
// (through a symbolic link) is not walked again; an unreadable folder yields
// nothing.
void ScanDirectory(const QString& folder, const std::function<void(const QString& folder)>& entering,
                   const std::function<void(const QString& path)>& found);
