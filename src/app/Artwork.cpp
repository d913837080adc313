// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Artwork.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace {

QPixmap canvas(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

// An open book with a red "S": the program's mark.
QPixmap programMark(int size) {
    QPixmap pixmap = canvas(size);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);
    p.setPen(QPen(QColor(0x1f, 0x3a, 0x93), 1.5));
    p.setBrush(QColor(0xf4, 0xf1, 0xe6));
    p.drawRoundedRect(QRectF(3, 5, 26, 22), 2, 2);
    // The spine shows only at the edges, so the letter does not read as a dollar sign.
    p.drawLine(QPointF(16, 5), QPointF(16, 8));
    p.drawLine(QPointF(16, 24), QPointF(16, 27));
    // The letter is drawn as a curve, not from a font: the icon is needed before the first
    // window appears, and loading the font machinery for it would hold that window back.
    QPainterPath letter;
    letter.moveTo(20.5, 10.5);
    letter.cubicTo(18.5, 8.5, 11.5, 8.5, 11.5, 12.5);
    letter.cubicTo(11.5, 16.5, 20.5, 15.5, 20.5, 20);
    letter.cubicTo(20.5, 24, 13, 24, 11, 21.5);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0xc8, 0x10, 0x2e), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(letter);
    return pixmap;
}

void drawToolbarImage(QPainter& p, ToolbarImage image) {
    const QColor ink(0x20, 0x20, 0x20);
    p.setPen(QPen(ink, 1));
    switch (image) {
    case ToolbarImage::New:
        p.setBrush(Qt::white);
        p.drawPolygon(QPolygonF({{3.5, 1.5}, {10.5, 1.5}, {13.5, 4.5}, {13.5, 14.5}, {3.5, 14.5}}));
        p.drawLine(QPointF(10.5, 1.5), QPointF(10.5, 4.5));
        p.drawLine(QPointF(10.5, 4.5), QPointF(13.5, 4.5));
        break;
    case ToolbarImage::Open:
        p.setBrush(QColor(0xe8, 0xc0, 0x50));
        p.drawPolygon(QPolygonF(
            {{1.5, 3.5}, {6.5, 3.5}, {7.5, 5.5}, {14.5, 5.5}, {14.5, 13.5}, {1.5, 13.5}}));
        p.setBrush(QColor(0xf6, 0xd8, 0x7a));
        p.drawPolygon(QPolygonF({{3.5, 7.5}, {15.5, 7.5}, {13.5, 13.5}, {1.5, 13.5}}));
        break;
    case ToolbarImage::Save:
        p.setBrush(QColor(0x2b, 0x4c, 0xa8));
        p.drawRect(QRectF(1.5, 1.5, 13, 13));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(4.5, 1.5, 7, 5));
        p.setBrush(QColor(0xc0, 0xc0, 0xc0));
        p.drawRect(QRectF(3.5, 9.5, 9, 5));
        break;
    case ToolbarImage::Edit:
        p.setBrush(Qt::white);
        p.drawRect(QRectF(1.5, 2.5, 9, 12));
        p.drawLine(QPointF(3, 6.5), QPointF(8, 6.5));
        p.drawLine(QPointF(3, 9.5), QPointF(8, 9.5));
        p.setBrush(QColor(0xe0, 0x90, 0x20));
        p.drawPolygon(QPolygonF({{13, 2}, {15, 4}, {8, 11}, {6, 12}, {7, 9}}));
        break;
    case ToolbarImage::Test:
        p.setBrush(QColor(0x2e, 0x8b, 0x3a));
        p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
        p.setPen(QPen(Qt::white, 2));
        p.drawLine(QPointF(4.5, 8), QPointF(7, 10.5));
        p.drawLine(QPointF(7, 10.5), QPointF(11.5, 5));
        break;
    case ToolbarImage::Exit:
        p.setBrush(QColor(0x8b, 0x5a, 0x2b));
        p.drawRect(QRectF(2.5, 1.5, 8, 13));
        p.setPen(QPen(QColor(0xc8, 0x10, 0x2e), 2));
        p.drawLine(QPointF(8, 8), QPointF(15, 8));
        p.drawLine(QPointF(12, 5), QPointF(15, 8));
        p.drawLine(QPointF(12, 11), QPointF(15, 8));
        break;
    }
}

} // namespace

QIcon programIcon() {
    QIcon icon;
    for (int size : {16, 32, 48})
        icon.addPixmap(programMark(size));
    return icon;
}

QIcon toolbarImage(ToolbarImage image) {
    QPixmap pixmap = canvas(16);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    drawToolbarImage(p, image);
    return QIcon(pixmap);
}

void paintUnionFlag(QPainter& p, const QSize& size) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const double w = size.width();
    const double h = size.height();
    const QColor blue(0x01, 0x21, 0x69);
    const QColor red(0xc8, 0x10, 0x2e);
    p.fillRect(QRectF(0, 0, w, h), blue);

    const double unit = h / 30.0; // the flag's proportions in units of a 60 x 30 flag
    auto diagonals = [&](const QColor& colour, double width) {
        p.setPen(QPen(colour, width * unit, Qt::SolidLine, Qt::FlatCap));
        p.drawLine(QPointF(0, 0), QPointF(w, h));
        p.drawLine(QPointF(0, h), QPointF(w, 0));
    };
    diagonals(Qt::white, 6);
    p.save();
    p.setClipRect(QRectF(0, 0, w, h));
    diagonals(red, 2);
    p.restore();
    p.fillRect(QRectF(w / 2 - 5 * unit, 0, 10 * unit, h), Qt::white);
    p.fillRect(QRectF(0, h / 2 - 5 * unit, w, 10 * unit), Qt::white);
    p.fillRect(QRectF(w / 2 - 3 * unit, 0, 6 * unit, h), red);
    p.fillRect(QRectF(0, h / 2 - 3 * unit, w, 6 * unit), red);
    p.restore();
}

QPixmap programPixmap(int size) {
    return programMark(size);
}
