// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Decimal digits preceded by one blank for n >= 0 and by "-" for n < 0; no grouping.
QString numberText(long long n);

// Nearest integer, halves to the even neighbour.
long long roundHalfEven(double x);

// The main window's time-limit text for a limit of v seconds.
QString timeLimitText(int v);
