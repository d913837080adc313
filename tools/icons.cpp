// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the program icon into a hicolor icon theme tree for installation:
//   sonarix_icons OUTDIR   writes OUTDIR/hicolor/NxN/apps/sonarix.png
#include "app/Artwork.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: sonarix_icons OUTDIR\n");
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString dir = QStringLiteral("%1/hicolor/%2x%2/apps").arg(root).arg(size);
        if (!QDir().mkpath(dir) ||
            !programPixmap(size).save(dir + QStringLiteral("/sonarix.png"))) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(dir));
            return 1;
        }
    }
    return 0;
}
