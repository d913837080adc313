// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Registry.h"

#include <QByteArray>
#include <QString>

#include <stdexcept>

class Platform;

// The System Information launcher of the About window, kept apart from the window so every
// road through the registry can be tested without widgets.
namespace sysinfo {

// Read rights and every key-specific right; the launcher has always asked for this, though
// Windows' own KEY_ALL_ACCESS is 0xF003F.
inline constexpr quint32 AllAccess = 0x2003F;
inline constexpr int BufferSize = 1024;

inline constexpr auto UnavailableText = "System Information Is Unavailable At This Time";

// A value that cannot be read as the launcher expects (one of size 0); it ends the launcher
// with its message rather than passing for a missing value.
class ValueError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads one registry value as text into `value` and answers true; a key or value that cannot be
// opened or read leaves `value` empty and answers false. REG_SZ drops one terminating zero.
// REG_DWORD is appended to `value` as its unsigned decimal number; other types leave it as it was.
// The key is closed on every road, including the ValueError thrown for a value of size 0.
bool readRegistryValue(Registry& registry, Registry::Handle root, const QByteArray& keyName,
                       const QByteArray& valueName, QString& value);

// The desktop's own system information programs, looked for on PATH in this order on a system
// without a registry (any but Windows): KDE's Info Center, GNOME's
// settings at the system overview, HardInfo.
struct DesktopTool {
    const char* program;
    const char* argument; // nullptr: none
};
inline constexpr DesktopTool DesktopTools[] = {
    {"kinfocenter", nullptr}, {"gnome-control-center", "info-overview"}, {"hardinfo", nullptr}};

// Starts the System Information tool found through the registry, or else, on a system without
// one, the first desktop tool found that starts, without waiting for it; or tells the user it is
// unavailable.
void startSystemInformation(Platform& platform);

} // namespace sysinfo
