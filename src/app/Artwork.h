#pragma once

#include <QIcon>
#include <QPixmap>

// The program's own artwork, drawn on first use.
enum class ToolbarImage { New, Open, Save, Edit, Test, Exit };

QIcon programIcon();
QIcon toolbarImage(ToolbarImage image);
// The intro picture: a Union Flag of the given size.
QPixmap unionFlag(const QSize& size);
