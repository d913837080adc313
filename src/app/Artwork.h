#pragma once

#include <QIcon>
#include <QPixmap>

// The program's own artwork, drawn on first use.
enum class ToolbarImage { New, Open, Save, Edit, Test, Exit };

QIcon programIcon();
// The program's mark at size x size pixels.
QPixmap programPixmap(int size);
QIcon toolbarImage(ToolbarImage image);
// The intro picture: a Union Flag of the given size.
QPixmap unionFlag(const QSize& size);
