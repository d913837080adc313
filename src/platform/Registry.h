// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <memory>

// The three registry calls the System Information launcher needs, shaped like their Win32
// counterparts: status 0 is success, anything else a failure code.
class Registry {
public:
    using Handle = quint32;
    static constexpr Handle LocalMachine = 0x80000002u;
    // Value types.
    static constexpr quint32 String = 1; // REG_SZ
    static constexpr quint32 Dword = 4;  // REG_DWORD, little-endian

    virtual ~Registry() = default;

    virtual long RegOpenKeyExA(Handle root, const QByteArray& subKey, quint32 options,
                               quint32 samDesired, Handle* result) = 0;
    // data holds the buffer on entry (its size is the buffer's size); *size receives the
    // number of bytes stored.
    virtual long RegQueryValueExA(Handle key, const QByteArray& valueName, quint32* type,
                                  QByteArray& data, quint32* size) = 0;
    virtual long RegCloseKey(Handle key) = 0;

    // False where the system has no registry: nothing can be looked up, and the desktop's own
    // tools are searched for instead.
    virtual bool present() const { return true; }
};

// For systems without a registry: every look-up fails.
class PortableRegistry final : public Registry {
public:
    long RegOpenKeyExA(Handle root, const QByteArray& subKey, quint32 options, quint32 samDesired,
                       Handle* result) override;
    long RegQueryValueExA(Handle key, const QByteArray& valueName, quint32* type, QByteArray& data,
                          quint32* size) override;
    long RegCloseKey(Handle key) override;
    bool present() const override { return false; }
};

// The registry of the system the program runs on: the real one on Windows, PortableRegistry
// elsewhere.
std::unique_ptr<Registry> systemRegistry();
