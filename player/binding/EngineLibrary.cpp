#include "player/binding/EngineLibrary.h"

#include <QFile>
#include <dlfcn.h>

TEngineLibrary::TEngineLibrary(const QString& path)
{
    // Never a bare name: a path without a slash would search the library path.
    if (path.startsWith('/'))
        m_handle = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
}

TEngineLibrary::~TEngineLibrary()
{
    if (m_handle)
        dlclose(m_handle);
}
