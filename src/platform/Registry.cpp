// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Registry.h"

namespace {
constexpr long ErrorFileNotFound = 2;
constexpr long ErrorInvalidHandle = 6;
} // namespace

long PortableRegistry::RegOpenKeyExA(Handle, const QByteArray&, quint32, quint32, Handle* result) {
    if (result)
        *result = 0;
    return ErrorFileNotFound;
}

long PortableRegistry::RegQueryValueExA(Handle, const QByteArray&, quint32*, QByteArray&,
                                        quint32*) {
    return ErrorInvalidHandle;
}

long PortableRegistry::RegCloseKey(Handle key) {
    return key == 0 ? ErrorInvalidHandle : 0;
}

#ifndef Q_OS_WIN
// Windows has its own in WinRegistry.cpp.
std::unique_ptr<Registry> systemRegistry() {
    return std::make_unique<PortableRegistry>();
}
#endif
