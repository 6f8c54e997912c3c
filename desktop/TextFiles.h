#pragma once

#include <QString>
#include <optional>

// Reading and replacing small UTF-8 configuration files safely.
namespace TextFiles {

// The file's text; nullopt when it does not exist. Throws
// std::runtime_error when it cannot be read or is not UTF-8 text.
std::optional<QString> Read(const QString& path);

// Replaces the file's content atomically (a failed write leaves the old
// file); the folder must exist. Throws std::runtime_error on failure.
void Replace(const QString& path, const QString& text);

// Creates a folder and its parents. Throws std::runtime_error on failure.
void MakeFolder(const QString& path);

} // namespace TextFiles
