#include "app/SysInfo.h"

#include "dictfile/Cp1257.h"
#include "platform/Platform.h"
#include "state/ProgramState.h"

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

} // namespace

bool GetKeyValue(Registry& registry, Registry::Handle KeyRoot, const QByteArray& KeyName,
                 const QByteArray& SubKeyRef, QString& KeyVal) {
    OpenKey key(registry);
    if (registry.RegOpenKeyExA(KeyRoot, KeyName, 0, AllAccess, &key.handle) != 0) {
        KeyVal.clear();
        return false;
    }

    QByteArray buffer(BufferSize, '\0');
    quint32 type = 0;
    quint32 size = BufferSize;
    if (registry.RegQueryValueExA(key.handle, SubKeyRef, &type, buffer, &size) != 0) {
        KeyVal.clear();
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
        KeyVal = cp1257::decode(buffer.left(kept));
        break;
    case Registry::Dword:
        // The whole 32-bit number, whatever its high bytes: the buffer is zero-filled beyond
        // what was stored.
        KeyVal += QString::number(qFromLittleEndian<quint32>(buffer.constData()));
        break;
    default:
        break;
    }
    return true;
}

void StartSysInfo(Platform& platform) {
    try {
        Registry& registry = platform.registry();
        QString SysInfoPath;
        if (GetKeyValue(registry, Registry::LocalMachine,
                        "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH", SysInfoPath)) {
            // A value of another type reads as nothing, and nothing cannot be started.
            if (!SysInfoPath.isEmpty() && platform.startProgram(SysInfoPath))
                return;
        } else if (GetKeyValue(registry, Registry::LocalMachine,
                               "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO",
                               SysInfoPath)) {
            const QString tool = SysInfoPath + QStringLiteral("\\MSINFO32.EXE");
            if (platform.fileExists(tool) && platform.startProgram(tool))
                return;
        }
    } catch (const ValueError&) {
        // Falls through to the message, like any other failure.
    }
    platform.message(QLatin1String(ApplicationTitle), QLatin1String(UnavailableText),
                     MessageIcon::None);
}

} // namespace sysinfo
