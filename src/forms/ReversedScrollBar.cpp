#include "forms/ReversedScrollBar.h"

ReversedScrollBar::ReversedScrollBar(int top, int bottom, QWidget* parent)
    : QScrollBar(Qt::Vertical, parent), top_(top) {
    QScrollBar::setRange(0, top - bottom);
    // The up key should raise the value as the up arrow does.
    setInvertedControls(true);
    connect(this, &QScrollBar::valueChanged, this, [this] { emit changed(value()); });
}
