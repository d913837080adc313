// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QTimer;

// A user-interface timer: an interval in milliseconds (0 never fires) and an enabled flag.
// Changing either restarts the count from the full interval.
class UiTimer : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    virtual int interval() const = 0;
    virtual void setInterval(int ms) = 0;
    virtual bool isEnabled() const = 0;
    virtual void setEnabled(bool enabled) = 0;

signals:
    void timeout();
};

// The real timer, on a precise QTimer: the coarse default may fire up to 5% early or late.
class QtUiTimer final : public UiTimer {
    Q_OBJECT
public:
    explicit QtUiTimer(QObject* parent = nullptr);

    int interval() const override { return interval_; }
    void setInterval(int ms) override;
    bool isEnabled() const override { return enabled_; }
    void setEnabled(bool enabled) override;

private:
    void restart();

    QTimer* timer_;
    int interval_ = 0;
    bool enabled_ = true;
};
