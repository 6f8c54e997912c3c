// A file of this process for harnesses whose parser reads from disk.
#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>

// A folder of its own for this process, created on first use and removed at exit.
QString ScratchFolder();

// Writes data to `name` in the scratch folder and returns the file's path.
QString WriteScratchFile(const QString& name, const uint8_t* data, size_t size);
