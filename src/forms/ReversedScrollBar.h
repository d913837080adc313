// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QScrollBar>

// A vertical scroll bar whose value runs from `top` at its top end down to `bottom` at its
// bottom end, so its up arrow raises the value. Qt's own scroll bar always lowers the value
// with the upper arrow, even with an inverted appearance, so the value is mirrored here.
// Use value(), setValue() and changed() of this class, never those of QScrollBar. Screen readers
// are given the value of this class too, with "increase" raising it.
class ReversedScrollBar : public QScrollBar {
    Q_OBJECT
public:
    ReversedScrollBar(int top, int bottom, QWidget* parent = nullptr);

    int value() const { return top_ - QScrollBar::value(); }
    void setValue(int value) { QScrollBar::setValue(top_ - value); }
    int top() const { return top_; }
    int bottom() const { return top_ - maximum(); }

signals:
    void changed(int value);

private:
    int top_;
};
