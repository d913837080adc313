// SPDX-License-Identifier: GPL-3.0-or-later
#include "state/Format.h"

#include <cmath>

QString numberText(long long n) {
    const QString digits = QString::number(n);
    return n >= 0 ? QLatin1Char(' ') + digits : digits;
}

long long roundHalfEven(double x) {
    double whole = std::floor(x);
    const double fraction = x - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0))
        whole += 1.0;
    return static_cast<long long>(whole);
}

QString timeLimitText(int v) {
    const int m = v / 60;
    const int s = v - 60 * m;
    return QLatin1Char(' ') + numberText(m) + QStringLiteral(" minutit ja ") + numberText(s) +
           QStringLiteral(" sekundit.");
}
