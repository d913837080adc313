// SPDX-License-Identifier: GPL-3.0-or-later
// Random GUI testing: plausible events on whatever windows are up, dialogs answered at random
// from a folder of real files, time passing also while a dialog is up; the program's invariants
// are checked after every event. A failure prints its seed and the events of its episode;
// scripts/monkey.sh replays a seed or runs many.
#include "app/AboutWindow.h"
#include "app/ImportWindow.h"
#include "app/IntroWindow.h"
#include "app/MainWindow.h"
#include "app/SavePrompt.h"
#include "dictfile/DictionaryFile.h"
#include "editor/EditorWindow.h"
#include "editor/WordList.h"
#include "forms/Forms.h"
#include "forms/ReversedScrollBar.h"
#include "quiz/QuizWindow.h"
#include "quiz/ResultsWindow.h"
#include "quiz/WrongAnswerNotice.h"
#include "state/ProgramState.h"
#include "support/FakePlatform.h"
#include "support/TestUtil.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QToolButton>

#include <csignal>
#include <cstdio>
#include <memory>
#include <random>

using namespace Qt::StringLiterals;

// Present in a sanitizer build only.
extern "C" void __sanitizer_set_death_callback(void (*callback)()) __attribute__((weak));

namespace {

int setting(const char* name, int fallback) {
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

// The running episode's events, printed when an invariant fails or the process dies.
QString runTitle;
QStringList eventLog;

void printLog() {
    std::fprintf(stderr, "%s\n", qPrintable(runTitle));
    for (const QString& line : std::as_const(eventLog))
        std::fprintf(stderr, "  %s\n", qPrintable(line));
    std::fflush(stderr);
}

// A press may hide or unload the window; what would follow it then goes nowhere.
bool reachable(const QPointer<QWidget>& widget) {
    return widget && widget->isVisible();
}

QList<Form*> loadedWindows(const Forms& f) {
    QList<Form*> windows{
        f.find<IntroWindow>(), f.find<MainWindow>(),        f.find<EditorWindow>(),
        f.find<QuizWindow>(),  f.find<WrongAnswerNotice>(), f.find<ResultsWindow>(),
        f.find<SavePrompt>(),  f.find<AboutWindow>(),       f.find<ImportWindow>()};
    windows.removeAll(nullptr);
    return windows;
}

QString nameOf(const QObject* o) {
    const auto* w = qobject_cast<const QWidget*>(o);
    if (const auto* tool = qobject_cast<const QToolButton*>(o); tool && tool->defaultAction())
        o = tool->defaultAction();
    const QString name =
        o->objectName().isEmpty() ? QLatin1String(o->metaObject()->className()) : o->objectName();
    return w && !w->isWindow() ? w->window()->objectName() + u'.' + name : name;
}

// The pairs a save writes: up to the first empty Estonian word, at most a file's worth.
QStringList savedPairs(const ProgramState& s) {
    QStringList pairs;
    for (int k = 0; k < ProgramState::FileSlots && !s.EstonianWords[k].isEmpty(); ++k)
        pairs << s.EstonianWords[k] << s.ForeignWords[k];
    return pairs;
}

// Files carry this time until the program writes them.
const QDateTime untouched = QDateTime(QDate(2001, 1, 1), QTime(12, 0), Qt::UTC);

void markUntouched(const QString& path) {
    QFile file(path);
    if (file.open(QIODevice::ReadOnly))
        file.setFileTime(untouched, QFileDevice::FileModificationTime);
}

struct Episode {
    ProgramState state;
    FakePlatform platform;
    Forms forms{state, platform};
};

class Monkey {
public:
    Monkey(quint32 seed, bool verbose) : seed_(seed), verbose_(verbose), random_(seed) {
        QByteArray big; // more pairs than the list takes
        for (int k = 0; k <= ProgramState::FileSlots; ++k)
            big += "s\xf5na" + QByteArray::number(k) + "\r\nword" + QByteArray::number(k) + "\r\n";
        const QList<QPair<const char*, QByteArray>> files{
            {"yks.dic", "koer\r\ndog\r\n"},
            {"kolm.dic", "\xf5un\r\napple\r\nt\xe4ht\r\nstar\r\n\xf0okk\r\nshock\r\n"},
            {"kriips.dic", "j\xf5-\xe4\xe4r\r\nriver}bank\r\n\"a, b\",\"x\"\"y\"\r\n"},
            {"tyhi.dic", ""},
            {"poolik.dic", "koer\r\ndog\r\nkass\r\n"},
            {"vigane.dic", "\"lahti\r\n"},
            {"kood.dic", "\x81\x83\r\n\x98\r\n"},
            {"suur.dic", big},
            {"sonad.csv", "eesti;English\r\nkoer;dog\r\n\"k\xc3\xb5rv, p\xc3\xa4\";ear\r\nx;\r\n"},
            {"sonad.kvtml", "<kvtml version=\"2.0\"><entries><entry id=\"0\"><translation id=\"0\">"
                            "<text>\xc3\xb5un</text></translation><translation id=\"1\"><text>apple"
                            "</text></translation></entry></entries></kvtml>"}};
        for (const auto& [name, bytes] : files) {
            paths_ << dir_.filePath(QLatin1String(name));
            writeFile(paths_.back(), bytes);
            markUntouched(paths_.back());
        }
        for (const char* name : {"puudub.dic", "uus.dic", "Untitled.dic", "kaust/puudub.dic"})
            paths_ << dir_.filePath(QLatin1String(name));
        paths_ << dir_.path() << QString();
    }

    // Runs events until one fails; answers false then.
    bool run(int events) {
        std::uniform_real_distribution<double> unit(0.0, 1.0);
        for (event_ = 1; event_ <= events && failure_.isEmpty(); ++event_) {
            if (!episode_ || episode_->platform.ended() || !episode_->forms.anyLoaded())
                startEpisode();
            while (episode_->platform.randomValues.size() < 2000)
                episode_->platform.randomValues.enqueue(unit(random_));
            step();
            settle();
            check();
        }
        episode_.reset();
        settle();
        return failure_.isEmpty();
    }
    int episodes() const { return episodes_; }

private:
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    template <class T> const T& any(const QList<T>& list) { return list[pick(list.size())]; }

    void log(const QString& line) {
        eventLog << QStringLiteral("#%1 %2%3").arg(event_).arg(QString(2 * depth_, u' '), line);
        if (verbose_)
            std::fprintf(stderr, "%s\n", qPrintable(eventLog.back()));
    }
    void fail(const QString& why) {
        if (failure_.isEmpty()) {
            failure_ = why;
            log(u"FAILED: "_s + why);
            printLog();
        }
    }
    bool over() const {
        return !failure_.isEmpty() || episode_->platform.ended() || !episode_->forms.anyLoaded();
    }
    QString shortPath(const QString& path) const {
        return path.isEmpty() ? u"\"\""_s : QDir(dir_.path()).relativeFilePath(path);
    }

    void startEpisode() {
        episode_.reset();
        settle();
        seenDialogs_ = answered_ = 0;
        quizWasLoaded_ = resultsWereLoaded_ = false;
        runTitle = QStringLiteral("monkey: seed %1, episode %2").arg(seed_).arg(++episodes_);
        eventLog.clear();
        episode_ = std::make_unique<Episode>();
        episode_->platform.workingDir = QDir::toNativeSeparators(dir_.path());
        episode_->platform.whileModal = [this] { whileModal(); };
        // Now and then a file named on the command line.
        const QString file = pick(4) == 0 ? any(paths_) : QString();
        log(u"start "_s + (file.isEmpty() ? QString() : shortPath(file)));
        if (IntroWindow* intro = episode_->forms.show<IntroWindow>(); intro && !file.isEmpty())
            intro->setFileToOpen(file);
    }

    QList<QWidget*> visibleWindows() const {
        QList<QWidget*> shown;
        for (Form* w : loadedWindows(episode_->forms))
            if (w->isVisible())
                shown << w;
        return shown;
    }

    // Keys go to the focused widget, or else to a window.
    QWidget* keyTarget() {
        if (QWidget* focused = QApplication::focusWidget(); focused && focused->isVisible())
            return focused;
        const QList<QWidget*> shown = visibleWindows();
        return shown.isEmpty() ? nullptr : any(shown);
    }

    // A mouse press and release, or a double click, on the widget or an entry of a list.
    void mouse(QWidget* target, bool twice) {
        QPoint at = target->rect().center();
        QString what = nameOf(target);
        if (auto* list = qobject_cast<WordList*>(target); list && list->count() > 0) {
            const int row = pick(list->count());
            list->scrollToItem(list->item(row));
            at = list->visualItemRect(list->item(row)).center();
            target = list->viewport();
            what += QStringLiteral("[%1]").arg(row);
        }
        log((twice ? u"double-click "_s : u"click "_s) + what);
        const QPointer<QWidget> alive = target;
        for (int n = 0; n < (twice ? 2 : 1) && reachable(alive); ++n) {
            if (n == 0)
                QTest::mousePress(target, Qt::LeftButton, {}, at);
            else
                QTest::mouseDClick(target, Qt::LeftButton, {}, at);
            if (reachable(alive))
                QTest::mouseRelease(target, Qt::LeftButton, {}, at);
        }
    }

    // Exit ends the episode; it comes up less often than other controls, so episodes go deeper.
    template <class T> T* unlessQuitting(const QList<T*>& choices) {
        T* chosen = any(choices);
        const QString name = nameOf(chosen);
        if ((name.contains(u"Exit"_s) || name == u"Main.Command2"_s) && pick(4) != 0)
            chosen = any(choices);
        return chosen;
    }

    // Clicks 35 in 100, keys 15, words typed 10, close boxes 2, menu and toolbar 11, the time
    // limit 7, else time passing; an event with nothing to act on lets time pass instead.
    void step() {
        const QList<QWidget*> shown = visibleWindows();
        MainWindow* main = episode_->forms.find<MainWindow>();
        const bool mainUp = main && main->isVisible();
        const int kind = pick(100);
        const auto in = [kind](int from, int to) { return kind >= from && kind < to; };
        QWidget* target = kind < 60 ? keyTarget() : nullptr;
        if (in(0, 35) && !shown.isEmpty()) {
            QList<QWidget*> targets;
            for (QWidget* w : shown) {
                targets << w;
                for (QWidget* c : w->findChildren<QWidget*>())
                    if (c->isVisible() && c->isEnabled() &&
                        (c->inherits("QAbstractButton") || c->inherits("ClickLabel") ||
                         c->inherits("QLineEdit") || c->inherits("WordList")))
                        targets << c;
            }
            mouse(unlessQuitting(targets), kind >= 30);
        } else if (in(35, 50) && target) {
            static const QList<Qt::Key> keys{
                Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape, Qt::Key_Tab,      Qt::Key_Backtab,
                Qt::Key_Delete, Qt::Key_Up,    Qt::Key_Down,   Qt::Key_Left,     Qt::Key_Right,
                Qt::Key_Space,  Qt::Key_A,     Qt::Key_K,      Qt::Key_Backspace};
            const Qt::Key key = any(keys);
            log(u"key "_s + QKeySequence(key).toString() + u" to "_s + nameOf(target));
            const QPointer<QWidget> alive = target;
            QTest::keyPress(target, key);
            if (reachable(alive))
                QTest::keyRelease(target, key);
        } else if (auto* box = qobject_cast<QLineEdit*>(target); in(50, 60) && box) {
            static const QStringList words{"õun", "äke", "öö",    "üks",    "šokk", "žürii", "koer",
                                           "a-b", "x}y", " kõrv", "kass, ", "\"jä", "dog",   "ear"};
            const QString word = any(words);
            log(u"type \""_s + word + u"\" to "_s + nameOf(box));
            typeText(box, word);
        } else if (in(60, 62) && !shown.isEmpty()) {
            QWidget* w = any(shown);
            log(u"close "_s + nameOf(w));
            w->close();
        } else if (in(62, 73) && mainUp) {
            QList<QAction*> actions = main->fileMenu->actions() + main->toolBar->actions();
            actions << main->aboutAction;
            // Export writes CSV, which the check of saved .dic files below would misread.
            actions.removeIf(
                [main](QAction* a) { return a->isSeparator() || a == main->exportAction; });
            QAction* action = unlessQuitting(actions);
            log(u"trigger "_s + action->objectName());
            action->trigger();
        } else if (in(73, 80) && mainUp) {
            // Mostly short limits, so that questions time out.
            const int value = pick(3) ? 1 + pick(5) : pick(301);
            log(QStringLiteral("time limit %1").arg(value));
            if (!main->timeLimitCheck->isChecked())
                click(main->timeLimitCheck);
            main->timeLimitBar->setValue(value);
        } else {
            advance();
        }
    }

    void advance() {
        static const QList<int> spans{100, 500, 1000, 2500, 10000, 60000};
        const int ms = any(spans);
        log(QStringLiteral("advance %1 ms").arg(ms));
        episode_->platform.advance(ms);
    }

    // A dialog or message box is up. It is application-modal, so the user reaches no other
    // window; only time passes, and the timers fire, until it is answered.
    void whileModal() {
        FakePlatform& p = episode_->platform;
        const bool dialog = p.dialogs.size() > seenDialogs_;
        seenDialogs_ = p.dialogs.size();
        QString what = !dialog                 ? p.messages.constLast().text.left(60)
                       : p.dialogs.back().save ? u"save dialog"_s
                                               : u"open dialog"_s;
        log(u'[' + what.replace(u'\n', u' ') + u']');
        ++depth_;
        check();
        // A window loaded while the dialog is up must outlive it, even if unloaded meanwhile.
        QList<QPair<QPointer<Form>, QString>> underDialog;
        for (int n = depth_ == 1 ? pick(4) : 0; n > 0 && !over(); --n) {
            for (Form* w : loadedWindows(episode_->forms))
                underDialog.append({w, w->objectName()});
            advance();
            // The dialog's own loop deletes what is due.
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            for (const auto& [window, name] : std::as_const(underDialog))
                if (!window)
                    fail(name + u" was deleted while a dialog was still up"_s);
            check();
        }
        p.dialogAnswers.clear();
        if (dialog) {
            // An Open that keeps failing comes back with its dialog; in the end it is cancelled.
            const bool cancel = pick(4) == 0 || ++dialogsInStep_ > 6;
            const QString path = any(paths_);
            log(cancel ? u"-> cancel"_s : u"-> choose "_s + shortPath(path));
            if (!cancel)
                p.dialogAnswers.enqueue(FakePlatform::chosen(path));
        }
        --depth_;
    }

    void check() {
        const ProgramState& s = episode_->state;
        const Forms& forms = episode_->forms;
        // Neither a file nor the editor gives more than 1000 pairs.
        if (s.WordCount < -1 || s.WordCount >= ProgramState::FileSlots)
            fail(QStringLiteral("WordCount %1").arg(s.WordCount));
        for (int k = qMax(s.WordCount + 1, 0); k < ProgramState::Slots; ++k)
            if (!s.EstonianWords[k].isEmpty())
                fail(QStringLiteral("a word in slot %1, past WordCount").arg(k));
        if (s.WrongCount < 0 || s.WrongCount > s.AnsweredCount)
            fail(QStringLiteral("%1 wrong of %2 answered").arg(s.WrongCount).arg(s.AnsweredCount));
        // Only a quiz window counts answers; only the results window starts the count again.
        if (s.AnsweredCount > answered_ && !quizWasLoaded_)
            fail(u"an answer was counted with no quiz window loaded"_s);
        if (s.AnsweredCount < answered_ && (s.AnsweredCount != 0 || !resultsWereLoaded_))
            fail(QStringLiteral("answered count fell to %1").arg(s.AnsweredCount));
        answered_ = s.AnsweredCount;
        quizWasLoaded_ = forms.find<QuizWindow>();
        resultsWereLoaded_ = forms.find<ResultsWindow>();

        const QWidgetList widgets = QApplication::allWidgets();
        bool anyShown = false;
        for (Form* w : loadedWindows(forms)) {
            if (!widgets.contains(w))
                return fail(u"a loaded window is deleted"_s);
            anyShown = anyShown || w->isVisible();
        }
        // Under a dialog the dialog itself is the window shown.
        if (depth_ == 0 && !anyShown && !over())
            fail(u"windows are loaded but none is visible"_s);
        if (const EditorWindow* e = forms.find<EditorWindow>();
            e && (e->estonianList->count() != e->foreignList->count() ||
                  e->estonianList->count() > EditorWindow::MaxPairs))
            fail(u"the editor's lists differ in length or are too long"_s);
        if (depth_ == 0)
            dialogsInStep_ = 0;
        checkSaves();
    }

    // A file written since the last look reads back as the list the program holds now: after a
    // save the list stays as it is until the user or a dialog has the next word.
    void checkSaves() {
        const QStringList held = savedPairs(episode_->state);
        for (const QFileInfo& info : QDir(dir_.path()).entryInfoList(QDir::Files)) {
            if (info.lastModified().toUTC() == untouched)
                continue;
            log(QStringLiteral("(%1 saved, %2 pairs)").arg(info.fileName()).arg(held.size() / 2));
            auto back = std::make_unique<ProgramState>();
            const auto failure = readDictionary(*back, info.filePath());
            if (failure || savedPairs(*back) != held)
                fail(u"it reads back otherwise: "_s +
                     (failure ? failure->message : savedPairs(*back).join(u'|')));
            markUntouched(info.filePath());
        }
    }

    const quint32 seed_;
    const bool verbose_;
    std::mt19937 random_;
    QTemporaryDir dir_;
    QStringList paths_; // what the dialogs answer with
    std::unique_ptr<Episode> episode_;
    int event_ = 0, episodes_ = 0, depth_ = 0, dialogsInStep_ = 0;
    qsizetype seenDialogs_ = 0;
    qint16 answered_ = 0;
    bool quizWasLoaded_ = false, resultsWereLoaded_ = false;
    QString failure_;
};

QtMessageHandler qtHandler = nullptr;

} // namespace

class TestMonkey : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        // Clicks on labels and bare windows are not taken; that is no news.
        qtHandler = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context,
                                              const QString& text) {
            if (!text.startsWith(u"Mouse event"_s) && !text.startsWith(u"This plugin does not"_s))
                qtHandler(type, context, text);
        });
        if (__sanitizer_set_death_callback)
            return __sanitizer_set_death_callback(printLog);
        for (int sig : {SIGSEGV, SIGABRT, SIGBUS, SIGFPE})
            std::signal(sig, [](int sig) {
                printLog();
                std::signal(sig, SIG_DFL);
                std::raise(sig);
            });
    }

    // One row per seed, so each has the whole function time-out to itself.
    void randomEvents_data() {
        QTest::addColumn<int>("seed");
        const int first = setting("SONARIX_MONKEY_SEED", 1);
        for (int seed = first; seed < first + setting("SONARIX_MONKEY_SEEDS", 24); ++seed)
            QTest::addRow("seed %d", seed) << seed;
        clock_.start();
    }
    void randomEvents() {
        QFETCH(int, seed);
        Monkey monkey(quint32(seed), setting("SONARIX_MONKEY_VERBOSE", 0) != 0);
        const bool passed = monkey.run(events_);
        episodes_ += monkey.episodes();
        eventsRun_ += events_;
        if (!passed)
            QFAIL(qPrintable(
                u"replay: scripts/monkey.sh --seed %1 --events %2"_s.arg(seed).arg(events_)));
    }
    void cleanupTestCase() {
        qInfo("%d events in %d episodes, %.0f events/s", eventsRun_, episodes_,
              eventsRun_ * 1000.0 / qMax(clock_.elapsed(), qint64(1)));
    }

private:
    const int events_ = setting("SONARIX_MONKEY_EVENTS", 1000);
    int eventsRun_ = 0;
    int episodes_ = 0;
    QElapsedTimer clock_;
};

QTEST_MAIN(TestMonkey)
#include "monkey.moc"
