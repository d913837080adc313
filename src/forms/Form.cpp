// SPDX-License-Identifier: GPL-3.0-or-later
#include "forms/Form.h"

#include "forms/Forms.h"
#include "forms/Look.h"
#include "platform/Platform.h"

#include <QCloseEvent>

Form::Form(Forms& forms)
    : QWidget(nullptr, Qt::Window), forms(forms), state(forms.state), platform(forms.platform) {
    setAttribute(Qt::WA_DeleteOnClose, false);
}

void Form::setClientSize(int widthTwips, int heightTwips) {
    setFixedSize(twips(widthTwips), twips(heightTwips));
}

void Form::closeEvent(QCloseEvent* event) {
    // Forms hides and discards the window; Qt must not close it behind the program's back.
    event->ignore();
    forms.unload(this);
}

UiTimer* Form::createTimer(const char* name, int interval) {
    UiTimer* timer = platform.createTimer(this);
    timer->setObjectName(QLatin1String(name));
    timer->setInterval(interval);
    timer->setEnabled(true);
    return timer;
}
