// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <QRect>

class QWidget;

// Window geometry is given in twips: 15 twips are one device-independent pixel at 96 dpi, and
// Qt's high-dpi scaling does the rest.
int twips(int value);
QRect twipsRect(int left, int top, int width, int height);
void placeTwips(QWidget* widget, int left, int top, int width, int height);

// The program's typefaces, with fallbacks for systems that lack them.
enum class Typeface { SansSerif, Arial };
QFont programFont(Typeface face, double points, bool bold, bool italic = false);

// System colours, from the application palette.
QColor menuColor();
QColor menuTextColor();
QColor highlightColor();
QColor highlightTextColor();
QColor buttonFaceColor();

// Gives a widget a background and text colour of its own.
void setColours(QWidget* widget, const QColor& background, const QColor& text);
void useMenuColours(QWidget* widget);
