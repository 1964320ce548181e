#include "bank/Cp932.h"
#include "session/LinkTarget.h"
#include "support/TestSupport.h"

#include <QFile>
#include <QTemporaryDir>

using linktarget::LinkAction;

namespace
{
const QByteArray kPage = "<html><body>doc</body></html>";
}

class TestLinkTarget : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    QString path(const QString& relative) const { return m_dir.path() + QLatin1Char('/') + relative; }
    void write(const QString& relative, const QByteArray& bytes) const
    {
        const QString full = path(relative);
        QDir().mkpath(QFileInfo(full).absolutePath());
        QFile file(full);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

  private Q_SLOTS:
    void initTestCase()
    {
        // An installation with Ref/, two mounted discs and files beside them that must stay out of reach.
        write(QStringLiteral("BIN/Ref/docs/a.htm"), kPage);
        write(QStringLiteral("BIN/secret.htm"), kPage);
        write(QStringLiteral("BIN/Ref/tool.htm"), QByteArray("\x7f"
                                                             "ELF\x02\x01",
                                                             6));
        write(QStringLiteral("BIN/Ref/run.sh"), "#!/bin/sh\n");
        write(QStringLiteral("BIN/Ref/start.desktop"), "[Desktop Entry]\nExec=xterm\n");
        write(QStringLiteral("BIN/Ref/script.htm"), "#!/bin/sh\n");
        QVERIFY(QFile::link(path(QStringLiteral("BIN/secret.htm")), path(QStringLiteral("BIN/Ref/link.htm"))));
        write(QStringLiteral("disc1/other.htm"), kPage);
        write(QStringLiteral("disc2/cbt/b.pdf"), "%PDF-1.4");
        write(QStringLiteral("cd/CBT_x.htm"), kPage);
        write(QStringLiteral("outside.htm"), kPage);
    }

    void planLink_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("location");
        QTest::addColumn<bool>("discs");
        QTest::addColumn<int>("action");
        QTest::addColumn<QString>("address"); // a file relative to the test directory, or a web address

        const int web = int(LinkAction::LaunchWeb);
        const int file = int(LinkAction::LaunchFile);
        const int ref = int(LinkAction::OpenRef);
        const int missing = int(LinkAction::Missing);
        const QString na = QStringLiteral("NA");
        QTest::newRow("web location, backslashes become slashes")
            << "CBT_LINK:docs\\sub\\p 1.htm"
            << "http://127.0.0.1:8080/ref/" << false << web << "http://127.0.0.1:8080/ref/docs/sub/p%201.htm";
        QTest::newRow("a target that is a web address")
            << "http://example.org/q/a.htm" << na << false << web << "http://example.org/q/a.htm";
        QTest::newRow("httpx location") << "CBT_LINK:x.htm"
                                        << "httpx://example.org/" << false << missing << "";
        QTest::newRow("http without a host") << "CBT_LINK:x.htm"
                                             << "http:" << false << missing << "";
        QTest::newRow("javascript rest, empty location") << "CBT_LINK:javascript:alert(1)"
                                                         << "" << false << missing << "";
        QTest::newRow("javascript target") << "javascript:alert(document.cookie)" << na << false << missing << "";
        QTest::newRow("no location, no disc: Ref/")
            << "CBT_LINK:docs\\a.htm" << na << false << ref << "BIN/Ref/docs/a.htm";
        QTest::newRow("../ leaving Ref/") << "CBT_LINK:..\\secret.htm" << na << false << missing << "";
        QTest::newRow("symbolic link leaving Ref/") << "CBT_LINK:link.htm" << na << false << missing << "";
        QTest::newRow("executable named .htm") << "CBT_LINK:tool.htm" << na << false << missing << "";
        QTest::newRow("script") << "CBT_LINK:run.sh" << na << false << missing << "";
        QTest::newRow("script named .htm") << "CBT_LINK:script.htm" << na << false << missing << "";
        QTest::newRow("desktop entry") << "CBT_LINK:start.desktop" << na << false << missing << "";
        QTest::newRow("directory") << "CBT_LINK:docs" << na << false << missing << "";
        QTest::newRow("target shorter than nine") << "CBT" << na << false << missing << "";
        QTest::newRow("nine characters, empty rest") << "CBT_LINK:" << na << false << missing << "";
        QTest::newRow("directory location") << "CBT_LINK:x.htm"
                                            << "@/cd/CBT_" << false << file << "cd/CBT_x.htm";
        QTest::newRow("directory location, ../ leaving it") << "CBT_LINK:../outside.htm"
                                                            << "@/cd/" << false << missing << "";
        QTest::newRow("location without the file falls back to Ref/")
            << "CBT_LINK:docs/a.htm"
            << "@/cd/" << false << ref << "BIN/Ref/docs/a.htm";
        QTest::newRow("second disc") << "CBT_LINK:cbt\\b.pdf" << na << true << file << "disc2/cbt/b.pdf";
        QTest::newRow("on no disc") << "CBT_LINK:docs\\a.htm" << na << true << missing << "";
        QTest::newRow("../ leaving a disc") << "CBT_LINK:../outside.htm" << na << true << missing << "";
    }

    void planLink()
    {
        QFETCH(QString, target);
        QFETCH(QString, location);
        QFETCH(bool, discs);
        QFETCH(int, action);
        QFETCH(QString, address);
        location.replace(QLatin1Char('@'), m_dir.path());
        const QStringList roots =
            discs ? QStringList{path(QStringLiteral("disc1/")), path(QStringLiteral("disc2/"))} : QStringList{};
        const linktarget::LinkPlan plan =
            linktarget::planLink(cp932::fromUnicode(target), location, roots, path(QStringLiteral("BIN/Ref/")));
        QCOMPARE(int(plan.action), action);
        if (action == int(LinkAction::LaunchFile) || action == int(LinkAction::OpenRef))
            QCOMPARE(plan.address, QFileInfo(path(address)).canonicalFilePath());
        else
            QCOMPARE(plan.address, address);
    }

    void frameTags_data()
    {
        QTest::addColumn<int>("action");
        QTest::addColumn<QString>("address");
        QTest::addColumn<QString>("tag");
        const QString tail =
            QStringLiteral("\" MARGINHEIGHT=\"0\" MARGINWIDTH=\"0\" SCROLLING=\"AUTO\" NORESIZE name=\"mainF\">");
        QTest::newRow("web") << int(LinkAction::LaunchWeb) << "http://h/a.htm?x=1&y=2"
                             << "<FRAME SRC=\"http://h/a.htm?x=1&amp;y=2" + tail;
        QTest::newRow("file") << int(LinkAction::LaunchFile) << "/media/cd/a b#\"1\".htm"
                              << "<FRAME SRC=\"file:///media/cd/a%20b%23%221%22.htm" + tail;
        QTest::newRow("drive letter") << int(LinkAction::LaunchFile) << "D:\\CBT\\a.htm"
                                      << "<FRAME SRC=\"file:///D|/CBT/a.htm" + tail;
        QTest::newRow("kanji file name") << int(LinkAction::LaunchFile) << QStringLiteral("/cd/資料.htm")
                                         << "<FRAME SRC=\"file:///cd/%E8%B3%87%E6%96%99.htm" + tail;
    }

    void frameTags()
    {
        QFETCH(int, action);
        QFETCH(QString, address);
        QFETCH(QString, tag);
        QCOMPARE(QString::fromStdString(linktarget::frameTag({LinkAction(action), address})), tag);
    }

    void launchPage()
    {
        write(QStringLiteral("LaunchProto"), "<FRAMESET>\r\n  #CDPATH#  \r\nx #CDPATH#\n</FRAMESET>");
        const QString page = path(QStringLiteral("Launch.htm"));
        QVERIFY(linktarget::writeLaunchPage(path(QStringLiteral("LaunchProto")), page,
                                            {LinkAction::LaunchWeb, QStringLiteral("http://h/")}));
        QCOMPARE(testsupport::readBytes(page),
                 std::string("<FRAMESET>\r\n<FRAME SRC=\"http://h/\" MARGINHEIGHT=\"0\" MARGINWIDTH=\"0\" "
                             "SCROLLING=\"AUTO\" NORESIZE name=\"mainF\">\r\nx #CDPATH#\r\n</FRAMESET>\r\n"));

        FileError error;
        QVERIFY(!linktarget::writeLaunchPage(path(QStringLiteral("NoProto")), page,
                                             {LinkAction::LaunchWeb, QStringLiteral("http://h/")}, &error));
        QVERIFY(error.text().contains(QStringLiteral("NoProto")));
    }

    void missingMessages()
    {
        QCOMPARE(linktarget::missingMessage(false).caption, QStringLiteral("Error"));
        QCOMPARE(linktarget::missingMessage(false).text, QStringLiteral("CD-ROMが装着されていません。"));
        QCOMPARE(linktarget::missingMessage(true).caption, QString());
        QCOMPARE(linktarget::missingMessage(true).text, QStringLiteral("CBTのCD-ROMをセットしてください。"));
    }
};

QUARVEL_TEST_MAIN(TestLinkTarget)
#include "TestLinkTarget.moc"
