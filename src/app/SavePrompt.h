// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "forms/Form.h"

class QLabel;
class QPushButton;

// The save prompt: asks whether to save the list before Open, Import, Exit or the main window's
// close box discards it, and then goes on with that command (PendingAction, Closing).
class SavePrompt : public Form {
    Q_OBJECT
public:
    explicit SavePrompt(Forms& forms);

    void onLoad() override;
    void answerYes();
    void answerNo();
    void answerCancel();

    QLabel* fileLabel;
    QPushButton* yesButton;
    QPushButton* noButton;
    QPushButton* cancelButton;

protected:
    // Closing the prompt by its close box answers Cancel, so a close-box exit never loses the
    // list without a word.
    void closeEvent(QCloseEvent* event) override;

private:
    // Open or Import, whichever PendingAction names; clears it.
    void goOnWithOpen();
    // A save that failed: the edits count as unsaved again and nothing pending goes on.
    void giveUp(qint16 changedBefore);
    // Closes the prompt after Yes or No.
    void closeAnswered();
};
