// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QPixmap>

class QPainter;

// The program's own artwork, drawn on first use.
enum class ToolbarImage { New, Open, Save, Edit, Test, Exit };

QIcon programIcon();
// The program's mark at size x size pixels.
QPixmap programPixmap(int size);
QIcon toolbarImage(ToolbarImage image);
// The intro picture: a Union Flag filling a rectangle of the given size. Drawn afresh at every
// paint rather than kept as a window-sized picture, which would hold most of a megabyte.
void paintUnionFlag(QPainter& painter, const QSize& size);
