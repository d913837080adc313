// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/SysInfo.h"

#include "dictfile/Cp1257.h"
#include "platform/Platform.h"
#include "state/ProgramState.h"

#include <QStandardPaths>
#include <QtEndian>

namespace sysinfo {

namespace {

// Closes the key on every way out of GetKeyValue, a thrown ValueError included.
class OpenKey {
public:
    explicit OpenKey(Registry& registry) : registry_(registry) {}
    ~OpenKey() {
        // A key that never opened has nothing to close.
        if (handle != 0)
            registry_.RegCloseKey(handle);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;

    Registry::Handle handle = 0;

private:
    Registry& registry_;
};

bool startFromRegistry(Platform& platform) {
    try {
        Registry& registry = platform.registry();
        QString toolPath;
        if (readRegistryValue(registry, Registry::LocalMachine,
                              "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", toolPath)) {
            // A value of another type reads as nothing, and nothing cannot be started.
            return !toolPath.isEmpty() && platform.startProgram(toolPath);
        }
        if (readRegistryValue(registry, Registry::LocalMachine,
                              "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO", toolPath)) {
            const QString tool = toolPath + QStringLiteral("\\MSINFO32.EXE");
            return platform.fileExists(tool) && platform.startProgram(tool);
        }
    } catch (const ValueError&) {
        // Falls through to the message, like any other failure.
    }
    return false;
}

bool startDesktopTool(Platform& platform) {
    const QStringList path = platform.programSearchPath();
    // With no folders at all, findExecutable() would search the real PATH after all.
    if (path.isEmpty())
        return false;
    for (const DesktopTool& tool : DesktopTools) {
        const QString found = QStandardPaths::findExecutable(QLatin1String(tool.program), path);
        const QStringList arguments =
            tool.argument ? QStringList{QLatin1String(tool.argument)} : QStringList{};
        if (!found.isEmpty() && platform.startProgram(found, arguments))
            return true;
    }
    return false;
}

} // namespace

bool readRegistryValue(Registry& registry, Registry::Handle root, const QByteArray& keyName,
                       const QByteArray& valueName, QString& value) {
    OpenKey key(registry);
    if (registry.RegOpenKeyExA(root, keyName, 0, AllAccess, &key.handle) != 0) {
        value.clear();
        return false;
    }

    QByteArray buffer(BufferSize, '\0');
    quint32 type = 0;
    quint32 size = BufferSize;
    if (registry.RegQueryValueExA(key.handle, valueName, &type, buffer, &size) != 0) {
        value.clear();
        return false;
    }
    if (size == 0)
        throw ValueError("registry value of size 0");
    // Whatever a registry says, never read past the buffer.
    const qsizetype stored = qMin<qsizetype>(size, buffer.size());

    // A string stored with its terminating zero loses it; one stored without keeps every byte.
    const qsizetype kept = buffer.at(stored - 1) == '\0' ? stored - 1 : stored;
    switch (type) {
    case Registry::String:
        value = cp1257::decode(buffer.left(kept));
        break;
    case Registry::Dword:
        // The whole 32-bit number, whatever its high bytes: the buffer is zero-filled beyond
        // what was stored.
        value += QString::number(qFromLittleEndian<quint32>(buffer.constData()));
        break;
    default:
        break;
    }
    return true;
}

void startSystemInformation(Platform& platform) {
    // Only where no registry can name the tool is PATH searched: on Windows a program of one of
    // those names in a PATH folder would be whatever someone put there.
    if (startFromRegistry(platform) ||
        (!platform.registry().present() && startDesktopTool(platform)))
        return;
    platform.message(QLatin1String(ApplicationTitle), QLatin1String(UnavailableText),
                     MessageIcon::None);
}

} // namespace sysinfo
