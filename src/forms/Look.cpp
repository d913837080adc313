// SPDX-License-Identifier: GPL-3.0-or-later
#include "forms/Look.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>

int twips(int value) {
    return (value + 7) / 15;
}

QRect twipsRect(int left, int top, int width, int height) {
    return QRect(twips(left), twips(top), twips(width), twips(height));
}

void placeTwips(QWidget* widget, int left, int top, int width, int height) {
    widget->setGeometry(twipsRect(left, top, width, height));
}

QFont programFont(Typeface face, double points, bool bold, bool italic) {
    QFont font;
    if (face == Typeface::Arial)
        font.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans"),
                          QStringLiteral("DejaVu Sans")});
    else
        font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                          QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

QColor menuColor() {
    return QApplication::palette().color(QPalette::Window);
}

QColor menuTextColor() {
    return QApplication::palette().color(QPalette::WindowText);
}

QColor highlightColor() {
    return QApplication::palette().color(QPalette::Highlight);
}

QColor highlightTextColor() {
    return QApplication::palette().color(QPalette::HighlightedText);
}

QColor buttonFaceColor() {
    return QApplication::palette().color(QPalette::Button);
}

void setColours(QWidget* widget, const QColor& background, const QColor& text) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, background);
    palette.setColor(QPalette::WindowText, text);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

void useMenuColours(QWidget* widget) {
    setColours(widget, menuColor(), menuTextColor());
}
