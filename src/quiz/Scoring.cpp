// SPDX-License-Identifier: GPL-3.0-or-later
#include "quiz/Scoring.h"

#include "state/Format.h"
#include "state/ProgramState.h"

namespace {

// The answered, right and wrong lines; the quiz and results windows differ only in the caption
// of the first.
void setCountLines(const ProgramState& state, const QString& answeredCaption, QString& answered,
                   QString& right, QString& wrong) {
    answered = answeredCaption + numberText(state.AnsweredCount);
    right = QStringLiteral("Õigeid: ") + numberText(state.AnsweredCount - state.WrongCount);
    wrong = QStringLiteral("Valesid: ") + numberText(state.WrongCount);
}

} // namespace

int percentRight(int answered, int wrong) {
    if (answered == 0)
        return 0;
    // Counts reach 32767, so the product needs more than 16 bits; the quotient of two exact
    // integers is rounded correctly, so halves are seen as halves.
    return static_cast<int>(roundHalfEven(100.0 * (answered - wrong) / answered));
}

QString timeLeftText(int limitSeconds, int elapsedSeconds) {
    return QStringLiteral("Aeg: ") + numberText(limitSeconds - elapsedSeconds);
}

QuizStatistics quizStatistics(const ProgramState& state, int lastSlot, int limitSeconds) {
    const int answered = state.AnsweredCount;
    const int wrong = state.WrongCount;
    QuizStatistics s;
    setCountLines(state, QStringLiteral("Vastatud: "), s.answered, s.right, s.wrong);
    s.left = QStringLiteral("Vastata: ") + numberText(lastSlot + 1 - answered);
    s.time = timeLeftText(limitSeconds, state.ElapsedSeconds);
    s.percent = answered != 0 ? QStringLiteral("Õigeid vastuseid on ") +
                                    numberText(percentRight(answered, wrong)) + QStringLiteral("%")
                              : QStringLiteral("Õigeid vastuseid on 0 %");
    return s;
}

ResultTexts resultTexts(const ProgramState& state) {
    const int answered = state.AnsweredCount;
    const int wrong = state.WrongCount;
    ResultTexts r;
    setCountLines(state, QStringLiteral("Kokku: "), r.total, r.right, r.wrong);
    r.percent = QStringLiteral("Õigeid vastuseid oli ") +
                (answered != 0 ? numberText(percentRight(answered, wrong)) + QStringLiteral("%")
                               : QStringLiteral("0%"));
    return r;
}

namespace {

// QuestionIndex comes from the selection; the bound only guards against a stray value.
int asked(const ProgramState& state) {
    const int q = state.QuestionIndex;
    return q >= 0 && q < ProgramState::Slots ? q : 0;
}

} // namespace

NoticeTexts noticeTexts(const ProgramState& state, bool foreignAnswers) {
    const int q = asked(state);
    const QString& estonian = state.EstonianWords[q];
    const QString& foreign = state.ForeignWords[q];
    if (foreignAnswers)
        return {estonian + QStringLiteral(" on"), foreign};
    return {foreign + QStringLiteral(" on"), estonian};
}

QString expectedAnswer(const ProgramState& state, bool foreignAnswers) {
    const int q = asked(state);
    return foreignAnswers ? state.ForeignWords[q] : state.EstonianWords[q];
}

QString trimBlanks(const QString& text) {
    qsizetype end = text.size();
    while (end > 0 && text[end - 1] == QLatin1Char(' '))
        --end;
    qsizetype start = 0;
    while (start < end && text[start] == QLatin1Char(' '))
        ++start;
    return text.mid(start, end - start);
}
