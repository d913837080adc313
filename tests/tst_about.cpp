#include "app/About.h"
#include "app/Main.h"
#include "app/SysInfo.h"
#include "forms/Forms.h"
#include "state/ProgramState.h"
#include "support/FakePlatform.h"
#include "support/TestUtil.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

const QByteArray Key1 = "80000002\\SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const QByteArray Key2 = "80000002\\SOFTWARE\\Microsoft\\Shared Tools Location";
const QString Folder = QStringLiteral("C:\\Program Files\\Common Files\\Microsoft Shared\\MSInfo");
const QString Tool = Folder + QStringLiteral("\\MSINFO32.EXE");

FakeRegistry::Value text(const QByteArray& bytes) {
    return {Registry::String, bytes};
}

} // namespace

using Values = QMap<QByteArray, QMap<QByteArray, FakeRegistry::Value>>;

// The main window with About opened from its menu item.
struct Opened {
    ProgramState state;
    FakePlatform platform;
    Forms forms{state, platform};
    Main* main = forms.show<Main>();
    About* about = [this] {
        main->MAbout->trigger();
        return forms.find<About>();
    }();
};

class TestAbout : public QObject {
    Q_OBJECT
private slots:
    void opensWithItsTexts() {
        Opened o;
        QVERIFY(o.about && o.about->isVisible());
        QVERIFY(!o.main->isVisible());
        QCOMPARE(o.about->windowTitle(), QStringLiteral("About Sonarix"));
        QCOMPARE(o.about->lblTitle->text(), QStringLiteral("Sonarix"));
        QCOMPARE(o.about->lblVersion->text(), QStringLiteral("Version 1.3.9"));
        QVERIFY(o.about->lblDescription->text().startsWith(
            QStringLiteral("Sonarix on mõeldud suvalise võõrkeele sõnade õigekirja")));
        QCOMPARE(o.about->lblDisclaimer->text(),
                 QStringLiteral("Sonarix on  kõigile tasuta kasutamiseks. Vigadest tuleks "
                                "teatada autorile. Oodatud on ka ettepanekud."));
        QCOMPARE(o.about->Label2->text(), QStringLiteral("Autor Orvandel"));
        QVERIFY(o.about->cmdOK->isDefault());
        QVERIFY(!(o.about->windowFlags() & Qt::WindowMinMaxButtonsHint));
    }

    void everyWayOutBringsMainBack_data() {
        QTest::addColumn<int>("way");
        QTest::newRow("OK clicked") << 0;
        QTest::newRow("Esc with System Info focused") << 1;
        QTest::newRow("Enter on OK") << 2;
        QTest::newRow("close box") << 3;
    }
    void everyWayOutBringsMainBack() {
        QFETCH(int, way);
        Opened o;
        if (way == 0)
            click(o.about->cmdOK);
        else if (way == 1)
            QTest::keyClick(o.about->cmdSysInfo, Qt::Key_Escape);
        else if (way == 2)
            QTest::keyClick(o.about->cmdOK, Qt::Key_Return);
        else
            o.about->close();
        QVERIFY(!o.forms.find<About>());
        QVERIFY(o.main->isVisible());
        QVERIFY(o.platform.messages.isEmpty());
        QCOMPARE(o.platform.endCount, 0);
    }

    // Enter goes to the focused button; the access key presses System Info visibly and clicks
    // it a moment later.
    void keysForSystemInfo() {
        Opened o;
        QTest::keyClick(o.about->cmdSysInfo, Qt::Key_Return);
        QCOMPARE(o.platform.messages.size(), 1);
        QVERIFY(QTest::qWaitForWindowActive(o.about));
        QTest::keyClick(o.about->cmdOK, Qt::Key_S, Qt::AltModifier);
        QVERIFY(o.about->cmdSysInfo->isDown());
        QTRY_COMPARE(o.platform.messages.size(), 2);
        QCOMPARE(o.forms.find<About>(), o.about);
    }

    void launcher_data() {
        QTest::addColumn<Values>("keys");
        QTest::addColumn<bool>("toolExists");
        QTest::addColumn<bool>("startSucceeds");
        QTest::addColumn<QString>("started");
        QTest::addColumn<int>("keysLookedAt");

        const QByteArray path = "C:\\WINDOWS\\msinfo32.exe";
        const auto first = [](const FakeRegistry::Value& v) {
            return Values{{Key1, {{"PATH", v}}}};
        };
        const Values second{{Key2, {{"MSINFO", text(Folder.toLatin1() + '\0')}}}};
        Values both = first(text(path + '\0'));
        both.insert(second);
        Values noFirstValue = second;
        noFirstValue[Key1]["Other"] = text("x");

        QTest::newRow("first value") << both << true << true << QString(path) << 1;
        QTest::newRow("second, tool there") << second << true << true << Tool << 2;
        QTest::newRow("second, tool missing") << second << false << true << QString() << 2;
        QTest::newRow("first key without the value") << noFirstValue << true << true << Tool << 2;
        QTest::newRow("neither") << Values{} << true << true << QString() << 2;
        QTest::newRow("first fails to start") << both << true << false << QString(path) << 1;
        QTest::newRow("second fails to start") << second << true << false << Tool << 2;
        QTest::newRow("first of size 0") << first(text("")) << true << true << QString() << 1;
        // REG_EXPAND_SZ is not read as text: nothing to start.
        QTest::newRow("first of another type")
            << first({2, path}) << true << true << QString() << 1;
    }
    void launcher() {
        QFETCH(Values, keys);
        QFETCH(bool, toolExists);
        QFETCH(bool, startSucceeds);
        QFETCH(QString, started);
        QFETCH(int, keysLookedAt);
        Opened o;
        FakeRegistry& registry = o.platform.fakeRegistry;
        o.platform.realFileSystem = false;
        registry.keys = keys;
        if (toolExists)
            o.platform.existingFiles << Tool;
        o.platform.startSucceeds = startSucceeds;

        click(o.about->cmdSysInfo);
        QCOMPARE(o.platform.started, started.isEmpty() ? QStringList() : QStringList{started});
        QCOMPARE(registry.openedPaths, (QList<QByteArray>{Key1, Key2}.first(keysLookedAt)));
        QCOMPARE(registry.accessMasks, QList<quint32>(keysLookedAt, 0x2003F));
        QCOMPARE(registry.closed, registry.opened);
        const bool unavailable = started.isEmpty() || !startSucceeds;
        QCOMPARE(o.platform.messages.size(), unavailable ? 1 : 0);
        if (unavailable) {
            QCOMPARE(o.platform.messages[0].title, QStringLiteral("Sonarix"));
            QCOMPARE(o.platform.messages[0].text,
                     QStringLiteral("System Information Is Unavailable At This Time"));
            QCOMPARE(o.platform.messages[0].icon, MessageIcon::None);
        }
        QCOMPARE(o.forms.find<About>(), o.about);
    }

    void getKeyValue_data() {
        QTest::addColumn<quint32>("type");
        QTest::addColumn<QByteArray>("data"); // null: the key holds no such value
        QTest::addColumn<bool>("found");
        QTest::addColumn<QString>("expected");
        const quint32 sz = Registry::String;
        QTest::newRow("terminated") << sz << QByteArray("abc\0", 4) << true << "abc";
        QTest::newRow("unterminated") << sz << QByteArray("abc") << true << "abc";
        QTest::newRow("only the terminator") << sz << QByteArray(1, '\0') << true << "";
        QTest::newRow("Baltic letters") << sz << QByteArray("C:\\\xd5ppe") << true << "C:\\Õppe";
        // Numbers are appended to the text passed in, in decimal.
        QTest::newRow("number") << Registry::Dword << QByteArray("\2\1\0\0", 4) << true << "in258";
        QTest::newRow("largest number")
            << Registry::Dword << QByteArray(4, '\xff') << true << "in4294967295";
        QTest::newRow("other type") << quint32(3) << QByteArray("\1\2") << true << "in";
        QTest::newRow("missing value") << sz << QByteArray() << false << "";
    }
    void getKeyValue() {
        QFETCH(quint32, type);
        QFETCH(QByteArray, data);
        QFETCH(bool, found);
        QFETCH(QString, expected);
        FakeRegistry registry;
        registry.keys["80000002\\K"];
        if (!data.isNull())
            registry.keys["80000002\\K"]["V"] = {type, data};
        QString value = QStringLiteral("in");
        QCOMPARE(sysinfo::GetKeyValue(registry, Registry::LocalMachine, "K", "V", value), found);
        QCOMPARE(value, expected);
        QCOMPARE(registry.closed, registry.opened);
        QCOMPARE(registry.closed.size(), 1);
    }

    // Where there is no registry, every look-up fails.
    void portableRegistryFails() {
#ifdef Q_OS_WIN
        QSKIP("Windows has a registry");
#else
        QString value;
        QVERIFY(!sysinfo::GetKeyValue(*systemRegistry(), Registry::LocalMachine, "K", "V", value));
#endif
    }
};

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
