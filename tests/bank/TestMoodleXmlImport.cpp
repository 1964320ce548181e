// Moodle XML through the reader and the mapping onto our styles, read back as the program reads it.
#include "ImportFixtures.h"

#include "bank/Cp932.h"

#include <QBuffer>
#include <QImage>
#include <QTest>

using namespace importfixtures;

namespace
{

QByteArray quiz(const QByteArray& body)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<quiz>\n" + body + "</quiz>\n";
}

// Qt reads GIF but does not write it: a 1 x 1 picture, by hand.
const QByteArray kGif = QByteArray::fromHex("47494638396101000100800000ff00000000002c00000000010001000002024401003b");

QByteArray picture(const char* format)
{
    if (QByteArray(format) == "GIF")
        return kGif;
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

} // namespace

class TestMoodleXmlImport : public QObject
{
    Q_OBJECT
  private Q_SLOTS:
    void mapping_data()
    {
        QTest::addColumn<QByteArray>("question");
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("correct");
        QTest::addColumn<QStringList>("choices");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("explanation");

        QTest::newRow("multichoice with CDATA and feedback")
            << QByteArray("<question type=\"multichoice\"><name><text>n</text></name>"
                          "<questiontext format=\"html\"><text><![CDATA[<p>Pick <b>one</b> "
                          "&lt;here&gt;</p>]]></text></questiontext>"
                          "<generalfeedback format=\"html\"><text>Because.</text></generalfeedback>"
                          "<single>true</single>"
                          "<answer fraction=\"0\" format=\"html\"><text>no</text><feedback><text>not "
                          "this</text></feedback></answer>"
                          "<answer fraction=\"100\" "
                          "format=\"html\"><text>yes</text><feedback><text>good</text></feedback></answer>"
                          "</question>")
            << 1 << 1 << QStringList{"yes", "no"} << "Pick one <here>"
            << "Because.\na: good\nb: not this";
        QTest::newRow("several allowed with one right answer")
            << QByteArray(
                   "<question type=\"multichoice\"><questiontext><text>Q</text></questiontext><single>false</single>"
                   "<answer fraction=\"100\"><text>A</text></answer><answer "
                   "fraction=\"0\"><text>B</text></answer></question>")
            << 2 << 1 << QStringList{"A", "B"} << "Q"
            << "";
        QTest::newRow("weights to 100")
            << QByteArray(
                   "<question type=\"multichoice\"><questiontext><text>Q</text></questiontext><single>0</single>"
                   "<answer fraction=\"-50\"><text>A</text></answer><answer fraction=\"50\"><text>B</text></answer>"
                   "<answer fraction=\"50\"><text>C</text></answer></question>")
            << 2 << 2 << QStringList{"B", "C", "A"} << "Q"
            << "";
        QTest::newRow("truefalse") << QByteArray(
                                          "<question type=\"truefalse\"><questiontext><text>Cold?</text></questiontext>"
                                          "<answer fraction=\"0\"><text>true</text></answer><answer "
                                          "fraction=\"100\"><text>false</text></answer></question>")
                                   << 1 << 1 << QStringList{"誤り", "正しい"} << "Cold?"
                                   << "";
        QTest::newRow("shortanswer with usecase")
            << QByteArray(
                   "<question type=\"shortanswer\"><questiontext><text>Cmd?</text></questiontext><usecase>1</usecase>"
                   "<answer fraction=\"100\" format=\"moodle_auto_format\"><text>ls -l</text></answer></question>")
            << 5 << 1 << QStringList{"a@ls -l", "b@on", "c@15"} << "Cmd?"
            << "";
        QTest::newRow("numerical without tolerance")
            << QByteArray("<question type=\"numerical\"><questiontext><text>N?</text></questiontext>"
                          "<answer fraction=\"100\"><text>42</text><tolerance>0</tolerance></answer></question>")
            << 5 << 1 << QStringList{"a@42", "b@off", "c@12"} << "N?"
            << "";
    }
    void mapping()
    {
        QFETCH(QByteArray, question);
        compareSingleQuestion(importText(Format::MoodleXml, quiz(question).toStdString()));
    }

    void skippedTypes_data()
    {
        QTest::addColumn<QByteArray>("question");
        QTest::addColumn<QString>("report");
        QTest::newRow("essay") << QByteArray(
                                      "<question type=\"essay\"><questiontext><text>E</text></questiontext></question>")
                               << "bank.xml:4: skipped: essay questions cannot be held";
        QTest::newRow("cloze") << QByteArray(
                                      "<question type=\"cloze\"><questiontext><text>E</text></questiontext></question>")
                               << "skipped: cloze";
        QTest::newRow("tolerance")
            << QByteArray("<question type=\"numerical\"><questiontext><text>N</text></questiontext>"
                          "<answer fraction=\"100\"><text>4</text><tolerance>0.5</tolerance></answer></question>")
            << "skipped: number with a tolerance";
    }
    void skippedTypes()
    {
        QFETCH(QByteArray, question);
        QFETCH(QString, report);
        const QByteArray base = "<question type=\"truefalse\"><questiontext><text>B</text></questiontext>"
                                "<answer fraction=\"100\"><text>true</text></answer></question>\n";
        const Imported imported = importText(Format::MoodleXml, quiz(base + question).toStdString());
        QVERIFY(!imported.error);
        QCOMPARE(imported.result.skipped, 1);
        QVERIFY2(imported.reportText().contains(report), qPrintable(imported.reportText()));
    }

    void categoryPath()
    {
        const Imported imported = importText(
            Format::MoodleXml,
            quiz("<question "
                 "type=\"category\"><category><text>$course$/top/Net/Routing/Static</text></category></question>"
                 "<question type=\"truefalse\"><questiontext><text>B</text></questiontext>"
                 "<answer fraction=\"100\"><text>true</text></answer></question>")
                .toStdString());
        QVERIFY(!imported.error);
        QCOMPARE(imported.bank->category(1).name, std::string("Net"));
        QCOMPARE(imported.bank->category(1).sub(1).name, std::string("Routing"));
        QVERIFY(imported.reportText().contains(QLatin1String("merged")));
    }

    void embeddedPictures()
    {
        QByteArray files;
        for (const char* format : {"PNG", "JPEG", "junk", "BMP", "GIF", "PNG"})
            files += "<file name=\"p." + QByteArray(format).toLower() + "\" path=\"/\" encoding=\"base64\">" +
                     (QByteArray(format) == "junk"
                          ? QByteArray("BM: a bitmap in name only, long enough to pass for a header of one")
                          : picture(format))
                         .toBase64() +
                     "</file>";
        const QByteArray xml =
            quiz("<question type=\"truefalse\"><questiontext format=\"html\">"
                 "<text><![CDATA[<p>See <img src=\"@@PLUGINFILE@@/p.png\"></p>]]></text>" +
                 files + "</questiontext><answer fraction=\"100\"><text>true</text></answer></question>");
        Imported imported = importText(Format::MoodleXml, xml.toStdString(), options("QV-7", {}, true));
        QVERIFY(!imported.error);
        const auto& exhibits = imported.result.exhibits;
        QCOMPARE(int(exhibits.size()),
                 4); // PNG and GIF as bitmaps, JPEG and BMP as they came; the junk and a fifth left out
        QCOMPARE(plain(imported.question(1).text),
                 QStringLiteral("<INCLUDE IMG>@qv7-1-1.bmp@qv7-1-2.jpg@qv7-1-3.bmp@qv7-1-4.bmp\nSee"));
        QVERIFY(!QImage::fromData(exhibits[3].bytes, "BMP").isNull());
        QVERIFY(exhibits[0].bytes.startsWith("BM"));
        QVERIFY(!QImage::fromData(exhibits[0].bytes, "BMP").isNull());
        QVERIFY(exhibits[1].bytes.startsWith("\xFF\xD8"));
        QVERIFY(
            imported.reportText().contains(QLatin1String("picture \"p.junk\" left out: not a JPEG, PNG, GIF or BMP")));
        QVERIFY(
            imported.reportText().contains(QLatin1String("picture \"p.png\" left out: a question shows at most 4")));

        imported = importText(Format::MoodleXml, xml.toStdString());
        QVERIFY(!imported.error);
        QVERIFY(imported.result.exhibits.empty());
        QVERIFY(imported.reportText().contains(
            QLatin1String("6 embedded picture(s) left out: no --images directory given")));
    }

    void brokenFiles_data()
    {
        QTest::addColumn<QByteArray>("xml");
        QTest::addColumn<QString>("error");
        QTest::newRow("not well-formed")
            << QByteArray("<?xml version=\"1.0\"?>\n<quiz>\n<question type=\"essay\">\n<name></question>\n</quiz>")
            << "bank.xml:4: ";
        QTest::newRow("not a quiz") << QByteArray("<?xml version=\"1.0\"?>\n<html/>")
                                    << "bank.xml:2: the file is not a Moodle XML quiz";
        QTest::newRow("empty") << QByteArray() << "bank.xml:";
        QTest::newRow("cut off") << quiz("<question type=\"truefalse\"><questiontext><text>B</text>").left(90)
                                 << "bank.xml:";
    }
    void brokenFiles()
    {
        QFETCH(QByteArray, xml);
        QFETCH(QString, error);
        const Imported imported = importText(Format::MoodleXml, xml.toStdString());
        QVERIFY(imported.error);
        QVERIFY2(imported.error->text().startsWith(error), qPrintable(imported.error->text()));
        QVERIFY(imported.result.source.empty());
    }
};

QTEST_GUILESS_MAIN(TestMoodleXmlImport)
#include "TestMoodleXmlImport.moc"
