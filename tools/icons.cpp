// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the program icon into a hicolor icon theme tree for installation, and into a Windows
// icon file for sonarix.exe's resources:
//   sonarix_icons OUTDIR   writes OUTDIR/hicolor/NxN/apps/sonarix.png and OUTDIR/sonarix.ico
#include "app/Artwork.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>

#include <cstdio>

namespace {

// Little-endian, as every number in the file.
void append(QByteArray& bytes, quint32 value, int width) {
    for (int i = 0; i < width; ++i)
        bytes += char(value >> (8 * i) & 0xff);
}

// An .ico file whose images are stored as PNG, as Windows reads them since Vista: a 6-byte
// header, a 16-byte entry per image, then the images.
bool writeIco(const QString& path, const QList<int>& sizes) {
    QByteArray head, images;
    append(head, 0, 2); // reserved
    append(head, 1, 2); // an icon
    append(head, quint32(sizes.size()), 2);
    for (int size : sizes) {
        QByteArray png;
        QBuffer buffer(&png);
        if (!buffer.open(QIODevice::WriteOnly) || !programPixmap(size).save(&buffer, "PNG"))
            return false;
        append(head, size % 256, 1); // width and height, 0 standing for 256
        append(head, size % 256, 1);
        append(head, 0, 2);  // no palette, reserved
        append(head, 1, 2);  // planes
        append(head, 32, 2); // bits per pixel
        append(head, quint32(png.size()), 4);
        append(head, quint32(6 + 16 * sizes.size() + images.size()), 4);
        images += png;
    }
    QFile file(path);
    return file.open(QIODevice::WriteOnly) &&
           file.write(head + images) == head.size() + images.size();
}

} // namespace

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
    if (!writeIco(root + QStringLiteral("/sonarix.ico"), {16, 24, 32, 48, 64, 256})) {
        std::fprintf(stderr, "cannot write %s/sonarix.ico\n", qPrintable(root));
        return 1;
    }
    return 0;
}
