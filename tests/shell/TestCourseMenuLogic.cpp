#include "bank/Cp932.h"
#include "bank/QuestionFileWriter.h"
#include "install/CourseListing.h"
#include "install/VendorTable.h"
#include "results/HistoryFile.h"
#include "shell/CourseKeys.h"
#include "shell/VendorTabs.h"
#include "support/TestSupport.h"
#include "ui/Artwork.h"

#include <memory>

namespace
{
std::string header(const std::string& tag, const std::string& code, const std::string& countLine = "12")
{
    return tag + "\r\n10/70\r\n30\r\n" + code + "\r\nTitle\r\n0\r\n0\r\n0\r\n20240102030405\r\n" + countLine +
           "\r\n*CE\r\n";
}

QStringList names(const QStringList& paths)
{
    QStringList out;
    for (const QString& p : paths)
        out << QFileInfo(p).fileName();
    return out;
}

QList<VendorInfo> vendors(const QStringList& directories)
{
    QList<VendorInfo> out;
    for (const VendorInfo& v : vendorTable())
        if (directories.contains(v.directory))
            out << v;
    return out;
}
} // namespace

class TestCourseMenuLogic : public QObject
{
    Q_OBJECT
  private Q_SLOTS:
    void tabHitRule_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("tab");
        QTest::newRow("left of the strip") << 10 << 0;
        QTest::newRow("x = 84, first edge") << 84 << 0;
        QTest::newRow("x = 85") << 85 << 1;
        QTest::newRow("opening press of tab 1") << 116 << 1;
        QTest::newRow("x = 160") << 160 << 1;
        QTest::newRow("x = 161, boundary") << 161 << 0;
        QTest::newRow("x = 162") << 162 << 2;
        QTest::newRow("x = 237") << 237 << 2;
        QTest::newRow("x = 238, boundary") << 238 << 0;
        QTest::newRow("beyond the last tab") << 239 << 0;
    }
    void tabHitRule()
    {
        QFETCH(int, x);
        QFETCH(int, tab);
        QCOMPARE(tabAt(x, 2), tab);
    }

    void keyPressLandsInItsTab()
    {
        for (int n = 1; n <= 7; ++n)
            QCOMPARE(tabAt(tabPressX(n), 7), n);
    }

    void tabKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("tab");
        const int ctrl = Qt::ControlModifier;
        const int ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
        QTest::newRow("right") << int(Qt::Key_Right) << 0 << 1 << 3 << 2;
        QTest::newRow("right stops at the last") << int(Qt::Key_Right) << 0 << 3 << 3 << 0;
        QTest::newRow("left") << int(Qt::Key_Left) << 0 << 3 << 3 << 2;
        QTest::newRow("left stops at the first") << int(Qt::Key_Left) << 0 << 1 << 3 << 0;
        QTest::newRow("keypad right") << int(Qt::Key_Right) << int(Qt::KeypadModifier) << 2 << 3 << 3;
        QTest::newRow("shift+right is no tab key") << int(Qt::Key_Right) << int(Qt::ShiftModifier) << 1 << 3 << 0;
        QTest::newRow("ctrl+tab") << int(Qt::Key_Tab) << ctrl << 2 << 3 << 3;
        QTest::newRow("ctrl+tab goes round") << int(Qt::Key_Tab) << ctrl << 3 << 3 << 1;
        QTest::newRow("ctrl+shift+tab") << int(Qt::Key_Tab) << ctrlShift << 2 << 3 << 1;
        QTest::newRow("ctrl+shift+tab goes round") << int(Qt::Key_Tab) << ctrlShift << 1 << 3 << 3;
        QTest::newRow("ctrl+backtab") << int(Qt::Key_Backtab) << ctrlShift << 1 << 3 << 3;
        QTest::newRow("plain tab moves the focus, not the tab") << int(Qt::Key_Tab) << 0 << 1 << 3 << 0;
        QTest::newRow("one tab: ctrl+tab stays") << int(Qt::Key_Tab) << ctrl << 1 << 1 << 0;
        QTest::newRow("no tabs") << int(Qt::Key_Right) << 0 << 1 << 0 << 0;
    }
    void tabKeys()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, current);
        QFETCH(int, count);
        QFETCH(int, tab);
        QCOMPARE(tabAfterKey(key, Qt::KeyboardModifiers(modifiers), current, count), tab);
    }

    void rowKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("row");
        QTest::newRow("down") << int(Qt::Key_Down) << 0 << 1 << 5 << 2;
        QTest::newRow("down stops at the last") << int(Qt::Key_Down) << 0 << 5 << 5 << 0;
        QTest::newRow("up") << int(Qt::Key_Up) << 0 << 3 << 5 << 2;
        QTest::newRow("up stops at the first") << int(Qt::Key_Up) << 0 << 1 << 5 << 0;
        QTest::newRow("home") << int(Qt::Key_Home) << 0 << 4 << 5 << 1;
        QTest::newRow("end") << int(Qt::Key_End) << 0 << 2 << 30 << 30;
        QTest::newRow("end on the last") << int(Qt::Key_End) << 0 << 30 << 30 << 0;
        QTest::newRow("page down, one screenful") << int(Qt::Key_PageDown) << 0 << 2 << 30 << 18;
        QTest::newRow("page down stops at the last") << int(Qt::Key_PageDown) << 0 << 20 << 30 << 30;
        QTest::newRow("page up stops at the first") << int(Qt::Key_PageUp) << 0 << 10 << 30 << 1;
        QTest::newRow("keypad down") << int(Qt::Key_Down) << int(Qt::KeypadModifier) << 1 << 5 << 2;
        QTest::newRow("ctrl+down is no row key") << int(Qt::Key_Down) << int(Qt::ControlModifier) << 1 << 5 << 0;
        QTest::newRow("empty list") << int(Qt::Key_Down) << 0 << 0 << 0 << 0;
        QTest::newRow("another key") << int(Qt::Key_A) << 0 << 1 << 5 << 0;
    }
    void rowKeys()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(int, current);
        QFETCH(int, count);
        QFETCH(int, row);
        QCOMPARE(rowAfterKey(key, Qt::KeyboardModifiers(modifiers), current, count), row);
    }

    void openingTab_data()
    {
        QTest::addColumn<QString>("defaultDir");
        QTest::addColumn<QString>("argument");
        QTest::addColumn<int>("tab");
        QTest::newRow("nothing stored") << QString() << QString() << 1;
        QTest::newRow("DefaultDir 2") << QStringLiteral("2") << QString() << 2;
        QTest::newRow("DefaultDir 5, two tabs") << QStringLiteral("5") << QString() << 1;
        QTest::newRow("DefaultDir 0") << QStringLiteral("0") << QString() << 1;
        QTest::newRow("DefaultDir negative") << QStringLiteral("-3") << QString() << 1;
        QTest::newRow("DefaultDir not a number") << QStringLiteral("abc") << QString() << 1;
        QTest::newRow("argument in upper case") << QString() << QStringLiteral("CISCO") << 2;
        QTest::newRow("argument beats DefaultDir") << QStringLiteral("2") << QStringLiteral("Oracle") << 1;
        QTest::newRow("argument without a tab") << QStringLiteral("2") << QStringLiteral("sun") << 2;
        QTest::newRow("argument not a vendor") << QString() << QStringLiteral("-platform") << 1;
    }
    void openingTab()
    {
        QFETCH(QString, defaultDir);
        QFETCH(QString, argument);
        QFETCH(int, tab);
        const QList<VendorInfo> tabs = vendors({QStringLiteral("oracle"), QStringLiteral("cisco")});
        QCOMPARE(tabAt(initialPressX(defaultDir, argument, tabs), int(tabs.size())), tab);
    }

    void noVendorMeansNoTab() { QCOMPARE(tabAt(initialPressX(QString(), QString(), {}), 0), 0); }

    void installedVendorsInTableOrder()
    {
        testsupport::TempInstall install;
        for (const char* dir : {"QDAT/japan", "QDAT/Cisco", "QDAT/oracle"})
            QDir().mkpath(install.root() + QLatin1String(dir));
        install.writeFile(QStringLiteral("QDAT/sun"), std::string("a file, not a directory"));
        QStringList dirs;
        for (const VendorInfo& v : installedVendors(install.root() + QStringLiteral("QDAT/")))
            dirs << v.directory;
        QCOMPARE(dirs, (QStringList{QStringLiteral("oracle"), QStringLiteral("cisco"), QStringLiteral("japan")}));
    }

    // The themed pictures are drawn in the vendor table's colours.
    void vendorColoursMatchTheArtwork()
    {
        for (const VendorInfo& v : vendorTable()) {
            QCOMPARE(ui::artwork::themeColour1(v.picture), v.colour1);
            QCOMPARE(ui::artwork::themeColour2(v.picture), v.colour2);
        }
        QCOMPARE(vendorTable().size(), 7);
        QCOMPARE(vendorTable().first().legend.size(), 4);
    }

    void badges_data()
    {
        QTest::addColumn<QList<bool>>("flags");
        QTest::addColumn<int>("icon");
        QTest::addColumn<int>("level");
        QTest::newRow("none") << QList<bool>{false, false, false, false, false} << 0 << 0;
        QTest::newRow("badge 1") << QList<bool>{true, false, false, false, false} << 1 << 1;
        QTest::newRow("badge 2") << QList<bool>{false, true, false, false, false} << 2 << 2;
        QTest::newRow("badge 3") << QList<bool>{false, false, true, false, false} << 3 << 3;
        QTest::newRow("badge 4") << QList<bool>{false, false, false, true, false} << 4 << 4;
        QTest::newRow("badge 5") << QList<bool>{false, false, false, false, true} << 5 << 3;
        QTest::newRow("badges 1 and 5") << QList<bool>{true, false, false, false, true} << 5 << 3;
        QTest::newRow("badges 2 and 4") << QList<bool>{false, true, false, true, false} << 4 << 4;
        QTest::newRow("badges 4 and 5") << QList<bool>{false, false, false, true, true} << 5 << 4;
    }
    void badges()
    {
        QFETCH(QList<bool>, flags);
        QFETCH(int, icon);
        QFETCH(int, level);
        std::array<bool, 5> b{};
        for (int i = 0; i < 5; ++i)
            b[size_t(i)] = flags.at(i);
        QCOMPARE(badgeIcon(b), icon);
        QCOMPARE(badgeLevel(b), level);
    }

    void rowTextAndDate()
    {
        CourseTest test;
        test.code = "1Z0-001";
        test.title = cp932::fromUtf8("SQL基礎");
        test.questionCount = 60;
        test.updated = "20010203040506";
        QCOMPARE(cp932::toUnicode(rowText(test)), QStringLiteral("1Z0-001 : SQL基礎 (全60問) 問題更新日 : 2001/02/03"));
        QCOMPARE(updateDate("2001"), std::string("2001//"));
        QCOMPARE(updateDate(""), std::string("//"));
    }

    void rowsAndScrolling()
    {
        QCOMPARE(rowGeometry(1), QRect(22, 8, 560, 21));
        QCOMPARE(rowGeometry(17), QRect(22, 392, 560, 21));
        QCOMPARE(listBackgroundHeight(16), 385);
        QVERIFY(!listScrolls(16));
        QVERIFY(listScrolls(17));
    }

    // Byte order puts upper-case names first; the extension matches in any case.
    void filesInByteOrder()
    {
        testsupport::TempInstall install;
        for (const char* name : {"b.qdf", "a.qdf", "B.qdf", "c.QDF", "notes.txt", "qdf", "x.qdf.bak"})
            install.writeFile(QStringLiteral("QDAT/oracle/") + QLatin1String(name), std::string("x"));
        QDir().mkpath(install.questionDir(QStringLiteral("oracle")) + QStringLiteral("dir.qdf"));
        QCOMPARE(names(questionFiles(install.questionDir(QStringLiteral("oracle")))),
                 (QStringList{QStringLiteral("B.qdf"), QStringLiteral("a.qdf"), QStringLiteral("b.qdf"),
                              QStringLiteral("c.QDF")}));
    }

    void onlyExactFormatTagIsListed()
    {
        testsupport::TempInstall install;
        const QString dir = install.questionDir(QStringLiteral("oracle"));
        install.writeFile(QStringLiteral("QDAT/oracle/good.qdf"), header("QFileFormat-v1.4", "GOOD"));
        install.writeFile(QStringLiteral("QDAT/oracle/old.qdf"), header("QFileFormat-v1.3", "OLD"));
        install.writeFile(QStringLiteral("QDAT/oracle/blank.qdf"), header("QFileFormat-v1.4 ", "BLANK"));
        install.writeFile(QStringLiteral("QDAT/oracle/lower.qdf"), header("qfileformat-v1.4", "LOWER"));
        install.writeFile(QStringLiteral("QDAT/oracle/empty.qdf"), std::string());
        install.writeFile(QStringLiteral("QDAT/oracle/Bad.qdf"), header("QFileFormat-v1.4", "BAD", "many"));
        install.writeFile(QStringLiteral("QDAT/oracle/Short.qdf"), std::string("QFileFormat-v1.4\r\n10/70\r\n"));

        const VendorListing listing = listVendorTests(dir, QStringLiteral("oracle"));
        QCOMPARE(listing.tests.size(), 1);
        QCOMPARE(listing.tests.first().code, std::string("GOOD"));
        QCOMPARE(listing.tests.first().historyFile,
                 install.historyDir(QStringLiteral("oracle")) + QStringLiteral("good.HIS"));
        QCOMPARE(listing.tests.first().adaptiveFile,
                 install.historyDir(QStringLiteral("oracle")) + QStringLiteral("good.ADP"));
        QCOMPARE(listing.tests.first().drillFile,
                 install.historyDir(QStringLiteral("oracle")) + QStringLiteral("good.DRL"));
        QCOMPARE(listing.tests.first().targetRate, std::string("70"));
        // The two unreadable headers are named with their line; the wrong tags are dropped silently.
        QCOMPARE(listing.unreadable.size(), 2);
        QVERIFY(listing.unreadable.at(0).file.endsWith(QStringLiteral("Bad.qdf")));
        QCOMPARE(listing.unreadable.at(0).line, 10);
        QVERIFY(listing.unreadable.at(1).file.endsWith(QStringLiteral("Short.qdf")));
        const QString message = listingProblems(listing);
        QVERIFY(message.contains(listing.unreadable.at(0).japaneseText()));
        QVERIFY(!message.contains(QStringLiteral("old.qdf")));
    }

    void atMostThirtyTests()
    {
        testsupport::TempInstall install;
        for (int i = 1; i <= 32; ++i)
            install.writeFile(QStringLiteral("QDAT/cisco/t%1.qdf").arg(i, 2, 10, QLatin1Char('0')),
                              header("QFileFormat-v1.4", "T" + std::to_string(i)));
        const VendorListing listing =
            listVendorTests(install.questionDir(QStringLiteral("cisco")), QStringLiteral("cisco"));
        QCOMPARE(listing.tests.size(), kMaxListedTests);
        QCOMPARE(listing.tests.last().code, std::string("T30"));
        QCOMPARE(names(listing.surplus), (QStringList{QStringLiteral("t31.qdf"), QStringLiteral("t32.qdf")}));
        QVERIFY(listingProblems(listing).contains(QStringLiteral("t32.qdf")));
    }

    void emptyOrMissingDirectoryListsNothing()
    {
        testsupport::TempInstall install;
        QDir().mkpath(install.questionDir(QStringLiteral("sun")));
        QVERIFY(listVendorTests(install.questionDir(QStringLiteral("sun")), QStringLiteral("sun")).tests.isEmpty());
        const VendorListing missing =
            listVendorTests(install.questionDir(QStringLiteral("ibm")), QStringLiteral("ibm"));
        QVERIFY(missing.tests.isEmpty());
        QVERIFY(listingProblems(missing).isEmpty());
    }

    void missingHistoriesAreCreatedOnce()
    {
        testsupport::TempInstall install;
        install.writeFile(QStringLiteral("QDAT/oracle/a.qdf"), header("QFileFormat-v1.4", "A"));
        install.writeFile(QStringLiteral("QDAT/oracle/b.qdf"), header("QFileFormat-v1.4", "B"));
        // b's history exists under another case and holds an attempt: it must stay as it is.
        const std::string kept(kHistorySize, '\x07');
        install.writeFile(QStringLiteral("HIST/oracle/B.his"), kept);
        const VendorListing listing =
            listVendorTests(install.questionDir(QStringLiteral("oracle")), QStringLiteral("oracle"));

        const QStringList created = createMissingHistories(listing.tests);
        QCOMPARE(created, QStringList{install.historyDir(QStringLiteral("oracle")) + QStringLiteral("a.HIS")});
        const std::string bytes = testsupport::readBytes(created.first());
        QCOMPARE(bytes.size(), size_t(kHistorySize));
        QCOMPARE(bytes, EmptyHistoryBytes(listing.tests.first().questionFile));
        QCOMPARE(bytes.substr(0, 4), std::string(".HIS"));
        QCOMPARE(testsupport::readBytes(install.historyDir(QStringLiteral("oracle")) + QStringLiteral("B.his")), kept);
        QVERIFY(createMissingHistories(listing.tests).isEmpty());
    }
};

QUARVEL_TEST_MAIN(TestCourseMenuLogic)
#include "TestCourseMenuLogic.moc"
