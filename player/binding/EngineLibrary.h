#pragma once

#include <QString>

// A shared library opened by its full path; closed on destruction.
class TEngineLibrary {
public:
    // Handle() is null when the file cannot be loaded (or the path is empty).
    explicit TEngineLibrary(const QString& path);
    ~TEngineLibrary();
    TEngineLibrary(const TEngineLibrary&) = delete;
    TEngineLibrary& operator=(const TEngineLibrary&) = delete;

    void* Handle() const { return m_handle; }

private:
    void* m_handle = nullptr;
};
