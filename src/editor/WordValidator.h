// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QValidator>

// Refuses any character the dictionary files cannot hold (Windows-1257), wherever it comes
// from: typing, pasting, dropping. The list then never holds a word a save would fail on.
class WordValidator : public QValidator {
    Q_OBJECT
public:
    using QValidator::QValidator;

    State validate(QString& input, int& pos) const override;

    // The character last refused, for the hint shown to the user.
    QString refused() const { return refused_; }

private:
    mutable QString refused_;
};
