// SPDX-License-Identifier: GPL-3.0-or-later
// The real registry; built on Windows only.
#include "platform/Registry.h"

#include <QHash>

#include <utility>

#include <windows.h>

// The values the portable code hard-codes must be those of the real API.
static_assert(Registry::String == REG_SZ);
static_assert(Registry::Dword == REG_DWORD);
static_assert(sizeof(Registry::Handle) == sizeof(LONG)); // the predefined roots fit

namespace {

// Keys the program opens get small numbers of their own, since an HKEY is pointer-sized and
// Registry::Handle is 32 bits.
class WindowsRegistry final : public Registry {
public:
    ~WindowsRegistry() override {
        for (HKEY key : std::as_const(open_))
            ::RegCloseKey(key);
    }

    long RegOpenKeyExA(Handle root, const QByteArray& subKey, quint32 options, quint32 samDesired,
                       Handle* result) override {
        *result = 0;
        HKEY key = nullptr;
        const LONG status =
            ::RegOpenKeyExA(toHkey(root), subKey.constData(), options, samDesired, &key);
        if (status != ERROR_SUCCESS)
            return status;
        const Handle handle = next_++;
        open_.insert(handle, key);
        *result = handle;
        return ERROR_SUCCESS;
    }

    long RegQueryValueExA(Handle key, const QByteArray& valueName, quint32* type, QByteArray& data,
                          quint32* size) override {
        const HKEY hkey = open_.value(key, nullptr);
        if (!hkey)
            return ERROR_INVALID_HANDLE;
        DWORD valueType = 0;
        DWORD bytes = static_cast<DWORD>(data.size());
        const LONG status = ::RegQueryValueExA(hkey, valueName.constData(), nullptr, &valueType,
                                               reinterpret_cast<LPBYTE>(data.data()), &bytes);
        if (status != ERROR_SUCCESS)
            return status;
        *type = valueType;
        *size = bytes;
        return ERROR_SUCCESS;
    }

    long RegCloseKey(Handle key) override {
        const HKEY hkey = open_.take(key);
        if (!hkey)
            return ERROR_INVALID_HANDLE;
        return ::RegCloseKey(hkey);
    }

private:
    // The predefined roots are 32-bit values that Windows sign-extends to a pointer.
    HKEY toHkey(Handle root) const {
        if (const HKEY key = open_.value(root, nullptr))
            return key;
        return reinterpret_cast<HKEY>(static_cast<LONG_PTR>(static_cast<LONG>(root)));
    }

    QHash<Handle, HKEY> open_;
    Handle next_ = 1;
};

} // namespace

std::unique_ptr<Registry> systemRegistry() {
    return std::make_unique<WindowsRegistry>();
}
