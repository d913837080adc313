// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TestUtil.h"

#include "quiz/QuizWindow.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QKeySequence>
#include <QTest>
#include <QToolButton>
#include <QWidget>

#include <QProcess>
#include <QScopeGuard>

#include <csignal>
#include <sys/stat.h>

using namespace Qt::StringLiterals;

void typeText(QWidget* widget, const QString& text) {
    for (const QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

void click(QWidget* widget) {
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, widget->rect().center());
}

void settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

bool writeFile(const QString& path, const QByteArray& bytes, int mode) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() &&
           ::chmod(QFile::encodeName(path).constData(), mode_t(mode)) == 0;
}

#ifdef Q_OS_UNIX
void rerunAsNobody() {
    const QString copy = u"/tmp/sonarix-test-%1"_s.arg(QCoreApplication::applicationPid());
    const auto removed = qScopeGuard([&] { QFile::remove(copy); });
    QVERIFY(QFile::copy(QCoreApplication::applicationFilePath(), copy));
    QVERIFY(::chmod(QFile::encodeName(copy).constData(), 0755) == 0);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(u"TMPDIR"_s, u"/tmp"_s);
    // The leak checker's suppressions may lie where nobody can read them.
    env.remove(u"LSAN_OPTIONS"_s);
    env.insert(u"ASAN_OPTIONS"_s, env.value(u"ASAN_OPTIONS"_s) + u":detect_leaks=0"_s);
    QProcess child;
    child.setProcessEnvironment(env);
    child.setWorkingDirectory(u"/tmp"_s);
    child.setProcessChannelMode(QProcess::MergedChannels);
    const QString row = u"%1:%2"_s.arg(QTest::currentTestFunction(), QTest::currentDataTag());
    child.start(u"setpriv"_s,
                {u"--reuid=65534"_s, u"--regid=65534"_s, u"--clear-groups"_s, copy, row});
    const bool finished = child.waitForFinished(60000);
    const QString output = QString::fromLocal8Bit(child.readAll());
    if (!output.contains(u"Start testing"_s))
        QSKIP(qPrintable(u"cannot run as nobody: "_s + output));
    QVERIFY2(finished && child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0,
             qPrintable(output));
}

#endif

FileSizeLimit::FileSizeLimit(qint64 bytes) {
#ifdef Q_OS_UNIX
    std::signal(SIGXFSZ, SIG_IGN);
    ::getrlimit(RLIMIT_FSIZE, &before);
    rlimit limit = before;
    limit.rlim_cur = bytes ? rlim_t(bytes) : before.rlim_cur;
    QVERIFY(::setrlimit(RLIMIT_FSIZE, &limit) == 0);
#else
    QVERIFY2(bytes == 0, "no file size limit here");
#endif
}

bool someWindowShown(const Forms& forms) {
    bool shown = !forms.anyLoaded();
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* form = qobject_cast<Form*>(w); form && forms.isLoaded(form))
            shown = shown || form->isVisible();
    return shown;
}

void setPairs(ProgramState& state, const QStringList& pairs, QChar sep) {
    for (int k = 0; k < pairs.size(); ++k) {
        state.EstonianWords[k] = pairs[k].section(sep, 0, 0);
        state.ForeignWords[k] = pairs[k].section(sep, 1);
    }
    state.WordCount = qint16(pairs.size() - 1);
}

QStringList pairsOf(const ProgramState& state, QChar sep, int count) {
    QStringList pairs;
    for (int k = 0; k < (count < 0 ? state.WordCount + 1 : count); ++k)
        pairs << state.EstonianWords[k] + sep + state.ForeignWords[k];
    return pairs;
}

void Program::store(const QString& pairs) {
    QStringList estonianFirst;
    for (const QString& pair : pairs.split(u' ', Qt::SkipEmptyParts))
        estonianFirst << pair.section(u'=', 1) + u'=' + pair.section(u'=', 0, 0);
    setPairs(state, estonianFirst, u'=');
}

void Program::run(const QString& steps, const std::function<bool(const QString&)>& own) {
    const auto take = [&](const QString& step) {
        const QString how = step.section(u':', 0, 0), what = step.section(u':', 1);
        QWidget* focus = QApplication::focusWidget();
        if (own && own(step))
            return;
        if (how == "menu") {
            const MainWindow* m = forms.find<MainWindow>();
            for (QAction* action : m ? m->findChildren<QAction*>() : QList<QAction*>())
                if (action->text().remove(u'&').remove("...") == what)
                    return action->trigger();
            QFAIL(qPrintable("no menu item " + what));
        } else if (how == "close") {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w->isVisible() && w->objectName() == what)
                    return void(w->close());
            QFAIL(qPrintable("no window " + what));
        } else if (how == "key" || how == "type") {
            QVERIFY2(focus, qPrintable("nothing focused for " + step));
            how == "key" ? QTest::keyClick(focus, QKeySequence(what)[0].key(),
                                           QKeySequence(what)[0].keyboardModifiers())
                         : typeText(focus, what);
        } else if (how == "wait") {
            platform.advance(what.toInt());
        } else {
            QList<QAbstractButton*> found;
            for (QWidget* w : QApplication::topLevelWidgets())
                for (QAbstractButton* b : w->findChildren<QAbstractButton*>())
                    if (forms.isLoaded(qobject_cast<Form*>(w)) && b->isVisible() &&
                        !qobject_cast<QToolButton*>(b) && b->text().remove(u'&') == step)
                        found << b;
            QVERIFY2(found.size() == 1, qPrintable(QString::number(found.size()) + " " + step));
            click(found[0]);
        }
    };
    for (const QString& step : steps.split(u',', Qt::SkipEmptyParts)) {
        settle();
        const bool quizLoaded = forms.find<QuizWindow>();
        const qint16 answered = state.AnsweredCount;
        take(step);
        if (QTest::currentTestFailed())
            return;
        QVERIFY2(someWindowShown(forms), qPrintable("nothing in sight after " + step));
        QVERIFY2(quizLoaded || state.AnsweredCount <= answered, qPrintable(step));
    }
}

QString Program::dialogs() const {
    QStringList met;
    for (const auto& d : platform.dialogs)
        met << (d.save ? "save:" + d.settings.fileName : QStringLiteral("open"));
    // Windows' paths read as DIR/name too.
    return QDir::fromNativeSeparators(met.join(u',')).replace(dir.path(), QStringLiteral("DIR"));
}

QString Program::inSight() const {
    QStringList shown;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<Form*>(w) && w->isVisible())
            shown << w->objectName();
    shown.sort();
    return shown.join(u' ');
}

QStringList cells() {
    QFETCH(QString, row);
    return row.split(QStringLiteral(" | "));
}
