// SPDX-License-Identifier: GPL-3.0-or-later
#include "dictfile/FileFailure.h"

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
