#include "bank/HtmlPage.h"
#include "support/TestSupport.h"

#include <QDir>
#include <QFileInfo>

using namespace htmlpage;

class TestHtmlPage : public QObject
{
    Q_OBJECT
  private Q_SLOTS:
    void escapesWhereTheValueLands()
    {
        QCOMPARE(escapeText("<b>\"A&B\"</b>'"), std::string("&lt;b&gt;&quot;A&amp;B&quot;&lt;/b&gt;&#39;"));
        QCOMPARE(escapeAttribute("a\r\nb\"c"), std::string("a&#13;&#10;b&quot;c"));
        QCOMPARE(escapeTextLines("1<2\r\n3\n4"), std::string("1&lt;2<BR>3<BR>4"));
        // 表 is 0x95 0x5C: the trail byte is a backslash, never an escaped character.
        QCOMPARE(escapeText("\x95\x5C"), std::string("\x95\x5C"));
    }

    void placeholderLinesAreReplacedWhole()
    {
        const std::vector<std::string> lines{"<html>", "  #NAME#\t", "<p>#NAME#</p>", "#OTHER#", ""};
        const std::string page = fill(lines, [](std::string_view name) -> std::optional<std::vector<std::string>> {
            if (name == "#NAME#")
                return std::vector<std::string>{"a", "b"};
            return std::nullopt;
        });
        QCOMPARE(page, std::string("<html>\r\na\r\nb\r\n<p>#NAME#</p>\r\n#OTHER#\r\n\r\n"));
    }

    void missingTemplateIsAnErrorAndNoPage()
    {
        testsupport::TempInstall install;
        install.writeFile(QStringLiteral("BIN/Proto"), std::string("x\r\n#A#\ny"));
        FileError error;
        const auto placeholders = [](std::string_view) { return std::optional<std::vector<std::string>>({"1"}); };
        QVERIFY(makePage(install.programDir() + "Proto", install.programDir() + "page.htm", placeholders, &error));
        QCOMPARE(testsupport::readBytes(install.programDir() + "page.htm"), std::string("x\r\n1\r\ny\r\n"));
        QVERIFY(!makePage(install.programDir() + "Missing", install.programDir() + "other.htm", placeholders, &error));
        QVERIFY(error.file.endsWith(QStringLiteral("Missing")));
        QVERIFY(!QFile::exists(install.programDir() + "other.htm"));
    }

    void pageIsReplacedWholeOrNotAtAll()
    {
        testsupport::TempInstall install;
        const QString dir = install.programDir();
        QVERIFY(writePage(dir + "page.htm", "old"));
        QVERIFY(QFileInfo(dir + "page.htm").permissions().testFlag(QFile::ReadOther));
        QVERIFY(writePage(dir + "page.htm", "new"));
        QCOMPARE(testsupport::readBytes(dir + "page.htm"), std::string("new"));
        // A page that cannot take the new bytes (here a folder in its place) keeps what it held,
        // and no temporary file is left behind.
        QVERIFY(QDir(dir).mkpath("busy.htm/inside"));
        FileError error;
        QVERIFY(!writePage(dir + "busy.htm", "new", &error));
        QVERIFY(error.file.endsWith(QStringLiteral("busy.htm")));
        QVERIFY(QFileInfo(dir + "busy.htm/inside").isDir());
        QVERIFY(!writePage(dir + "missing/page.htm", "new", &error));
        QCOMPARE(QDir(dir).entryList({"*.htm.*"}, QDir::AllEntries | QDir::Hidden), QStringList());
        QCOMPARE(testsupport::readBytes(dir + "page.htm"), std::string("new"));
    }
};

QUARVEL_TEST_MAIN(TestHtmlPage)
#include "TestHtmlPage.moc"
