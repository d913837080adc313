// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TestUtil.h"

#include "app/IntroWindow.h"
#include "quiz/QuizWindow.h"

#include "forms/ClickLabel.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QKeySequence>
#include <QListWidget>
#include <QMenuBar>
#include <QTest>
#include <QToolButton>
#include <QWidget>

#include <sys/stat.h>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>
#endif

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
AsNobody::AsNobody() : root(::getuid() == 0) {
    // The saved user id stays root, so the destructor may take it back.
    if (root)
        QVERIFY(::setresgid(65534, 65534, 0) == 0 && ::setresuid(65534, 65534, 0) == 0);
}

AsNobody::~AsNobody() {
    if (root && (::setresuid(0, 0, 0) != 0 || ::setresgid(0, 0, 0) != 0))
        qFatal("cannot become root again");
}

FileSizeLimit::FileSizeLimit(qint64 bytes) {
    std::signal(SIGXFSZ, SIG_IGN);
    ::getrlimit(RLIMIT_FSIZE, &before);
    rlimit limit = before;
    limit.rlim_cur = bytes ? rlim_t(bytes) : before.rlim_cur;
    QVERIFY(::setrlimit(RLIMIT_FSIZE, &limit) == 0);
}
#endif

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

Program::Program(bool fromIntro) {
    if (fromIntro)
        forms.show<IntroWindow>();
    else
        main = forms.show<MainWindow>();
}

void Program::store(const QString& pairs) {
    QStringList estonianFirst;
    for (const QString& pair : pairs.split(u' ', Qt::SkipEmptyParts))
        estonianFirst << pair.section(u'=', 1) + u'=' + pair.section(u'=', 0, 0);
    setPairs(state, estonianFirst, u'=');
}

namespace {

// The one control (or window) with that designer name, or, by caption, the one button, option,
// check box or quiz choice showing that text: in the active window if it has one, else in all
// this program's windows in sight; null unless just one.
QWidget* control(const Forms& forms, const QString& target, bool byCaption) {
    QList<QWidget*> found, active;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (!top->isVisible() || !forms.isLoaded(qobject_cast<Form*>(top)))
            continue;
        QList<QWidget*> widgets = top->findChildren<QWidget*>();
        for (QWidget* w : widgets << top) {
            const auto* button = qobject_cast<QAbstractButton*>(w);
            const auto* choice = qobject_cast<ClickLabel*>(w);
            const auto* tool = qobject_cast<QToolButton*>(w);
            const bool captioned = (button && !tool && button->text().remove(u'&') == target) ||
                                   (choice && choice->text() == target);
            // A toolbar's button goes by its action's name.
            const QString name = tool && tool->defaultAction() ? tool->defaultAction()->objectName()
                                                               : w->objectName();
            if (w->isVisible() && (name == target || (byCaption && captioned)))
                (top->isActiveWindow() ? active : found) << w;
        }
    }
    if (active.size() == 1)
        return active[0];
    found << active;
    return found.size() == 1 ? found[0] : nullptr;
}

// The widget's centre in its window, where the window system sends a pointer event.
QPoint centreInWindow(QWidget* w) {
    return w->mapTo(w->window(), w->rect().center());
}

} // namespace

void Program::run(const QStringList& steps) {
    const auto take = [&](const QString& step) {
        const QString how = step.section(u':', 0, 0), what = step.section(u':', 1);
        QWidget* focus = QApplication::focusWidget();
        QWidget* target = nullptr;
        if (QStringList{"click", "dclick", "hover", "pick", "focus", "reader"}.contains(how)) {
            target = control(forms, what.section(u':', 0, 0), how == "click");
            QVERIFY2(target, qPrintable("no single control in sight for " + step));
        }
        if (QStringList{"key", "type", "paste"}.contains(how))
            QVERIFY2(focus, qPrintable("nothing focused for " + step));
        if (how == "click") {
            click(target);
        } else if (how == "dclick") {
            QTest::mouseDClick(target->window()->windowHandle(), Qt::LeftButton, {},
                               centreInWindow(target));
        } else if (how == "hover") {
            QTest::mouseMove(target->window()->windowHandle(), centreInWindow(target));
        } else if (how == "pick") {
            auto* list = qobject_cast<QListWidget*>(target);
            QListWidgetItem* item = list ? list->item(what.section(u':', 1).toInt()) : nullptr;
            QVERIFY2(item, qPrintable("no such row for " + step));
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                              list->visualItemRect(item).center());
        } else if (how == "focus") {
            target->activateWindow();
            target->setFocus(Qt::OtherFocusReason);
        } else if (how == "key") {
            const QKeySequence key(what);
            QVERIFY2(key.count() == 1 && key[0].key() != Qt::Key_unknown,
                     qPrintable("no such key in " + step));
            // The text a key carries is QTest's, but Delete carries DEL, as from an X keyboard.
            const Qt::Key code = key[0].key();
            const char ascii = code == Qt::Key_Delete ? '\x7f' : QTest::keyToAscii(code);
            QTest::sendKeyEvent(QTest::Click, focus, code,
                                ascii ? QString(QChar(ascii)) : QString(),
                                key[0].keyboardModifiers());
        } else if (how == "type") {
            typeText(focus, what);
        } else if (how == "paste") {
            QApplication::clipboard()->setText(what);
            QTest::keyClick(focus, Qt::Key_V, Qt::ControlModifier);
        } else if (how == "menu") {
            // The menu bar's own, not the toolbar's of the same caption.
            const auto* bar =
                forms.find<MainWindow>() ? forms.find<MainWindow>()->menuBar : nullptr;
            for (QAction* action : bar ? bar->findChildren<QAction*>() : QList<QAction*>())
                if (action->text().remove(u'&').remove("...") == what)
                    return action->trigger();
            QFAIL(qPrintable("no menu item for " + step));
        } else if (how == "close") {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (w->isVisible() && w->objectName() == what)
                    return void(w->close());
            QFAIL(qPrintable("no window in sight for " + step));
        } else if (how == "choose") {
            platform.dialogAnswers
                << FakePlatform::chosen(what.startsWith(u'/') ? what : file(what));
        } else if (how == "wait") {
            platform.advance(what.toInt());
        } else if (how == "reader") {
            QAccessibleInterface* face = QAccessible::queryAccessibleInterface(target);
            QVERIFY2(face && face->actionInterface() && face->valueInterface(),
                     qPrintable("no screen reader interface for " + step));
            const QString action = what.section(u':', 1);
            if (action == "increase" || action == "decrease")
                face->actionInterface()->doAction(
                    action == "increase" ? QAccessibleActionInterface::increaseAction()
                                         : QAccessibleActionInterface::decreaseAction());
            else
                face->valueInterface()->setCurrentValue(action.toInt());
        } else {
            QFAIL(qPrintable("unknown step " + step));
        }
    };
    for (const QString& step : steps) {
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
