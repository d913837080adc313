// SPDX-License-Identifier: GPL-3.0-or-later
#include "forms/Forms.h"

#include "platform/Platform.h"
#include "platform/UiTimer.h"

#include <utility>

Forms::Forms(ProgramState& state, Platform& platform) : state(state), platform(platform) {
    platform.setModalEndedHandler([this] { releaseUnloaded(); });
}

Forms::~Forms() {
    platform.setModalEndedHandler({});
    for (auto& [type, window] : loaded_)
        delete window;
    for (const QPointer<Form>& window : std::as_const(unloaded_))
        delete window.data();
}

bool Forms::isLoaded(const Form* window) const {
    for (const auto& [type, loaded] : loaded_)
        if (loaded == window)
            return true;
    return false;
}

void Forms::unload(Form* window) {
    // A window's unload routine may unload the same window again (the editor's does); the
    // inner call finds it already on its way out and does nothing.
    if (!window || window->unloading_ || !isLoaded(window))
        return;
    window->unloading_ = true;
    window->onUnload();

    // Its timers end with it, even before Qt gets round to deleting it.
    const auto timers = window->findChildren<UiTimer*>();
    for (UiTimer* timer : timers)
        timer->setEnabled(false);
    window->hide();
    for (auto it = loaded_.begin(); it != loaded_.end(); ++it) {
        if (it->second == window) {
            loaded_.erase(it);
            break;
        }
    }
    unloaded_.append(window);
    if (!platform.inModalLoop())
        releaseUnloaded();

    if (loaded_.empty())
        platform.endProgram();
}

void Forms::releaseUnloaded() {
    // Posted from the handler's own level, the deletion waits until that handler has returned.
    for (const QPointer<Form>& window : std::as_const(unloaded_))
        if (window)
            window->deleteLater();
    unloaded_.clear();
}

void Forms::present(QWidget* window) {
    window->show();
    window->raise();
    window->activateWindow();
}
