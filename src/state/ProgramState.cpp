// SPDX-License-Identifier: GPL-3.0-or-later
#include "state/ProgramState.h"

#include <QDir>

#include <limits>

QString versionText() {
    return QStringLiteral("%1.%2.%3").arg(VersionMajor).arg(VersionMinor).arg(VersionRevision);
}

bool isListEmpty(const ProgramState& state) {
    return state.EstonianWords[0].isEmpty();
}

bool somethingToLose(const ProgramState& state) {
    return !isListEmpty(state) && state.Changed == 1;
}

QString untitledPath(const QString& workingDirectory) {
    return QDir::toNativeSeparators(workingDirectory) + QDir::separator() +
           QStringLiteral("Untitled.dic");
}

bool isUntitled(const ProgramState& state, const QString& workingDirectory) {
    return state.CurrentFile == untitledPath(workingDirectory);
}

bool needsFileName(const ProgramState& state, const QString& workingDirectory) {
    return isUntitled(state, workingDirectory) ||
           (!state.PartlyLoadedFile.isEmpty() && state.CurrentFile == state.PartlyLoadedFile);
}

void saturatingIncrement(qint16& counter) {
    if (counter < std::numeric_limits<qint16>::max())
        ++counter;
}
