// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/WordValidator.h"

#include "dictfile/Cp1257.h"

QValidator::State WordValidator::validate(QString& input, int& pos) const {
    Q_UNUSED(pos)
    const qsizetype at = cp1257::firstUnencodable(input);
    if (at < 0)
        return Acceptable;
    // A character outside the basic plane is two halves; show it whole.
    const bool pair = input.at(at).isHighSurrogate() && at + 1 < input.size() &&
                      input.at(at + 1).isLowSurrogate();
    refused_ = input.mid(at, pair ? 2 : 1);
    return Invalid;
}
