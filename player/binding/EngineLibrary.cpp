#include "player/binding/EngineLibrary.h"

#include <QFile>
#include <dlfcn.h>

TEngineLibrary::TEngineLibrary(const QString& path) {
    // Never a bare name: a path without a slash would search the library path.
    // Lazy binding lets the engine's multiversioned functions pick their
    // variant at first call rather than while the library is still being
    // relocated (which instrumented builds cannot do).
    if (path.startsWith('/')) m_handle = dlopen(QFile::encodeName(path).constData(), RTLD_LAZY | RTLD_LOCAL);
}

TEngineLibrary::~TEngineLibrary() {
    if (m_handle) dlclose(m_handle);
}
