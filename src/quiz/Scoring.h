// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

struct ProgramState;

// Right answers as a whole percentage of the answered ones, halves to even; 0 when nothing
// was answered.
int percentRight(int answered, int wrong);

// The quiz window's statistics block.
struct QuizStatistics {
    QString answered;
    QString right;
    QString wrong;
    QString left;
    QString time;
    QString percent;
};
QuizStatistics quizStatistics(const ProgramState& state, int lastSlot, int limitSeconds);

// "Aeg: " and the seconds left, below zero once the limit has passed.
QString timeLeftText(int limitSeconds, int elapsedSeconds);

// The results window's four lines.
struct ResultTexts {
    QString total;
    QString right;
    QString wrong;
    QString percent;
};
ResultTexts resultTexts(const ProgramState& state);

// The wrong-answer notice: the asked word with " on", and the answer expected.
struct NoticeTexts {
    QString asked;
    QString answer;
};
NoticeTexts noticeTexts(const ProgramState& state, bool foreignAnswers);

// The word the current question expects.
QString expectedAnswer(const ProgramState& state, bool foreignAnswers);

// Trailing, then leading blanks removed; other white space and inner blanks stay.
QString trimBlanks(const QString& text);
