// SPDX-License-Identifier: GPL-3.0-or-later
#include "dictfile/FileFailure.h"

#include <cerrno>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

QString openErrorText(int number, const QString& path) {
    switch (number) {
    case FileError::FileNotFound:
        return QStringLiteral("ERROR 53: Seda faili pole.") + path;
    case FileError::PathNotFound:
        return QStringLiteral("ERROR 76: That path doesn't exist.") + path;
    case FileError::DeviceUnavailable:
        return QStringLiteral("ERROR 68: Drive ") + QStringLiteral(": no available.");
    default:
        return QStringLiteral("ERROR ") + QString::number(number) + QStringLiteral(" occurred.");
    }
}

FileFailure openFailure(int number, const QString& path) {
    return {number, openErrorText(number, path)};
}

void clearSystemError() {
    errno = 0;
#ifdef Q_OS_WIN
    SetLastError(ERROR_SUCCESS);
#endif
}

QString noPermissionText() {
    return QStringLiteral("Sellesse kohta pole õigust kirjutada.");
}

QString saveCause(const QString& qtText) {
    const QString noRoom = QStringLiteral("Kettal pole enam ruumi.");
#ifdef Q_OS_WIN
    switch (GetLastError()) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return noRoom;
    case ERROR_ACCESS_DENIED:
        return noPermissionText();
    }
#else
    switch (errno) {
    case ENOSPC:
    case EDQUOT:
        return noRoom;
    case EFBIG:
        return QStringLiteral("Fail on liiga suur: ketas või süsteem ei luba nii suurt faili.");
    case EACCES:
    case EPERM:
    case EROFS:
        return noPermissionText();
    }
#endif
    return qtText;
}
