// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/UiTimer.h"

#include <QTimer>

QtUiTimer::QtUiTimer(QObject* parent) : UiTimer(parent), timer_(new QTimer(this)) {
    timer_->setTimerType(Qt::PreciseTimer);
    connect(timer_, &QTimer::timeout, this, &UiTimer::timeout);
}

void QtUiTimer::setInterval(int ms) {
    if (ms == interval_)
        return;
    interval_ = ms;
    restart();
}

void QtUiTimer::setEnabled(bool enabled) {
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    restart();
}

void QtUiTimer::restart() {
    if (enabled_ && interval_ > 0)
        timer_->start(interval_);
    else
        timer_->stop();
}
