// quarvel-tool import and export run as a program: exit codes, what is written, and the round trip.
#include "bank/Cp932.h"
#include "bank/QuestionFile.h"
#include "support/TestSupport.h"

#include <QBuffer>
#include <QDir>
#include <QImage>

using testsupport::readBytes;
using testsupport::runTool;

namespace
{

const char* kGift = "// two good questions, one essay\n"
                    "$CATEGORY: $course$/Net/Routing\n\n"
                    "::q1:: Which protocol is link-state? {=OSPF ~RIP ~BGP}\n\n"
                    "::q2:: Describe routing. {}\n\n"
                    "::q3:: Default port of SSH? {#22}\n";

// A test with one question of each exported style, one style we leave out, and an exhibit.
const char* kSource = "mock: 4/70\nminutes: 4\ncode: QV-RT\ntitle: 往復\nupdated: 20260101000000\n"
                      "category: 基礎\n  sub: 構文\n  sub: 図\ncategory: 応用\n  sub: 実践\n"
                      "question: 1\ncategory: 1\nsub: 1\nstyle: 1\ncorrect: 1\n"
                      "text:\n| 一行目 <b>&amp;\n|   字下げ\nchoice: 正解\nchoice: 誤答\nchoice: 誤答2\n"
                      "explanation:\n| 説明です。\n|\n| 三行目\n"
                      "question: 2\ncategory: 2\nsub: 1\nstyle: 2\ncorrect: 2\n"
                      "text: 二つ選べ\nchoice: A\nchoice: B\nchoice: C\n"
                      "question: 3\ncategory: 1\nsub: 1\nstyle: 5\ncorrect: 1\n"
                      "text: コマンドは?\nchoice: a@SELECT\nchoice: b@on\nchoice: c@20\n"
                      "question: 4\ncategory: 1\nsub: 2\nstyle: 3\ncorrect: 1\n"
                      "text: 図\nchoice: a@1,1,2,2\n"
                      "question: 5\ncategory: 1\nsub: 2\nstyle: 1\ncorrect: 1\n"
                      "text:\n| <INCLUDE IMG>@pic.jpg@../rt.qsrc\n| 図を見よ\nchoice: はい\nchoice: いいえ\n";

QByteArray jpeg()
{
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG");
    return bytes;
}

std::unique_ptr<QuestionBank> loadBank(const QString& path)
{
    auto bank = std::make_unique<QuestionBank>();
    if (auto e = LoadQuestionBank(path, *bank))
        qWarning("%s", qPrintable(e->text()));
    return bank;
}

// Packs `source` into DIR/NAME.qdf through the tool; returns the path.
QString pack(const testsupport::TempInstall& dir, const QString& name, const std::string& source)
{
    const QString src = dir.writeFile(name + QStringLiteral(".qsrc"), source);
    const QString qdf = dir.root() + name + QStringLiteral(".qdf");
    const auto run = runTool({"qdf", "pack", src, qdf});
    if (run.exitCode != 0)
        qWarning("%s", run.err.constData());
    return qdf;
}

} // namespace

class TestImportTool : public QObject
{
    Q_OBJECT
  private Q_SLOTS:
    void initTestCase()
    {
        if (qEnvironmentVariableIsEmpty("QUARVEL_TOOL"))
            QSKIP("QUARVEL_TOOL is not set (ctest sets it)");
    }

    void importWritesSourceAndReport()
    {
        testsupport::TempInstall dir;
        const QString gift = dir.writeFile(QStringLiteral("net.gift"), std::string(kGift));
        const QString out = dir.root() + QStringLiteral("net.qsrc");
        const auto run = runTool({"import", "gift", gift, out, "--code", "QV-N", "--title", "Net"});
        QVERIFY2(run.exitCode == 0, run.err.constData());
        QCOMPARE(QString::fromUtf8(run.err),
                 QStringLiteral("%1:6: skipped: essay questions cannot be held\n2 imported, 1 skipped\n").arg(gift));
        // What was written packs, and holds what the GIFT said.
        const auto packed = runTool({"qdf", "pack", out, dir.root() + QStringLiteral("net.qdf")});
        QVERIFY2(packed.exitCode == 0, packed.err.constData());
        const auto bank = loadBank(dir.root() + QStringLiteral("net.qdf"));
        QCOMPARE(bank->recordsRead, 2);
        QCOMPARE(bank->question(2).style, int(kStyleTextEntry));
        QCOMPARE(cp932::toUtf8(bank->category(1).sub(1).name), std::string("Routing"));
    }

    void failuresWriteNothing_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("ends inside {") << QStringList{"import", "gift"} << QByteArray("Q {=a ~b") << 1;
        QTest::newRow("nothing importable") << QStringList{"import", "gift"} << QByteArray("Essay {}") << 1;
        QTest::newRow("XML not well-formed")
            << QStringList{"import", "moodlexml"} << QByteArray("<quiz><question>") << 1;
        QTest::newRow("unknown format") << QStringList{"import", "aiken"} << QByteArray("Q {=a ~b}") << 2;
        QTest::newRow("unknown option") << QStringList{"import", "gift", "--colour", "red"} << QByteArray("Q {=a ~b}")
                                        << 2;
        QTest::newRow("option without value")
            << QStringList{"import", "gift", "--code"} << QByteArray("Q {=a ~b}") << 2;
    }
    void failuresWriteNothing()
    {
        QFETCH(QStringList, args);
        QFETCH(QByteArray, input);
        testsupport::TempInstall dir;
        const QString in = dir.writeFile(QStringLiteral("in.txt"), input);
        const QString out = dir.writeFile(QStringLiteral("out.qsrc"), std::string("old\n"));
        // The positional arguments go after the format; an option without value must stay last.
        const bool optionLast = args.last() == QLatin1String("--code");
        args.insert(optionLast ? args.size() - 1 : 2, out);
        args.insert(2, in);
        const auto run = runTool(args);
        QTEST(run.exitCode, "exitCode");
        QCOMPARE(readBytes(out), std::string("old\n"));
    }

    void exportThenImportGivesTheQuestionsBack()
    {
        testsupport::TempInstall dir;
        dir.writeFile(QStringLiteral("img/pic.jpg"), jpeg());
        const QString qdf = pack(dir, QStringLiteral("rt"), kSource);
        const QString xml = dir.root() + QStringLiteral("rt.xml");
        auto run = runTool({"export", "moodlexml", qdf, xml});
        QVERIFY2(run.exitCode == 0, run.err.constData());
        QVERIFY2(run.err.contains("question 4 left out: style 3 has no counterpart"), run.err.constData());
        QVERIFY(run.err.endsWith("4 exported, 1 left out\n"));
        QVERIFY2(run.err.contains("exhibit \"../rt.qsrc\" is not a plain file name; left out"), run.err.constData());

        const QString images = dir.root() + QStringLiteral("back/img");
        run = runTool({"import", "moodlexml", xml, dir.root() + QStringLiteral("back/rt.qsrc"), "--code", "QV-RT",
                       "--images", images});
        QVERIFY2(run.exitCode == 0, run.err.constData());
        const QString back =
            pack(dir, QStringLiteral("back/rt"), readBytes(dir.root() + QStringLiteral("back/rt.qsrc")));
        const auto before = loadBank(qdf);
        const auto after = loadBank(back);
        QCOMPARE(after->recordsRead, 4);
        // The exporter groups by category: 1, 3 (category 1, sub 1), 5 (sub 2), 2 (category 2).
        const int order[] = {1, 3, 5, 2};
        for (int i = 1; i <= 4; ++i) {
            const QuestionRecord& b = before->question(order[i - 1]);
            const QuestionRecord& a = after->question(i);
            QCOMPARE(a.style, b.style);
            QCOMPARE(a.correctCount, b.correctCount);
            QCOMPARE(before->category(b.category).name, after->category(a.category).name);
            QCOMPARE(before->category(b.category).sub(b.subCategory).name,
                     after->category(a.category).sub(a.subCategory).name);
            QCOMPARE(a.explanation, b.explanation);
            const int compared = b.style == kStyleTextEntry ? 2 : b.storedChoiceCount; // the length is recomputed
            for (int k = 0; k < compared; ++k)
                QCOMPARE(cp932::toUtf8(a.choices.at(size_t(k))), cp932::toUtf8(b.choices.at(size_t(k))));
            if (order[i - 1] != 5)
                QCOMPARE(cp932::toUtf8(a.text), cp932::toUtf8(b.text));
        }
        // The exhibit came back under a new name, byte for byte.
        QCOMPARE(cp932::toUtf8(after->question(3).text), std::string("<INCLUDE IMG>@qvrt-3-1.jpg\r\n図を見よ"));
        QCOMPARE(QByteArray::fromStdString(readBytes(images + QStringLiteral("/qvrt-3-1.jpg"))), jpeg());
    }

    void demoQuestionsRoundTrip_data()
    {
        QTest::addColumn<QString>("source");
        const QString root = qEnvironmentVariable("QUARVEL_SOURCE_DIR") + QStringLiteral("/data/questions/");
        for (const QString& vendor : QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            for (const QString& file : QDir(root + vendor).entryList({QStringLiteral("*.qsrc")}))
                QTest::newRow(qPrintable(file)) << root + vendor + QLatin1Char('/') + file;
    }
    void demoQuestionsRoundTrip()
    {
        QFETCH(QString, source);
        testsupport::TempInstall dir;
        const QString qdf = pack(dir, QStringLiteral("demo"), readBytes(source));
        auto run = runTool({"export", "moodlexml", qdf, dir.root() + QStringLiteral("demo.xml")});
        QVERIFY2(run.exitCode == 0, run.err.constData());
        run = runTool(
            {"import", "moodlexml", dir.root() + QStringLiteral("demo.xml"), dir.root() + QStringLiteral("back.qsrc")});
        QVERIFY2(run.exitCode == 0, run.err.constData());
        const auto before = loadBank(qdf);
        const auto after =
            loadBank(pack(dir, QStringLiteral("back"), readBytes(dir.root() + QStringLiteral("back.qsrc"))));
        // Match by text: the export groups questions by category. The pictures are not beside this
        // copy, so exhibits stay behind and only the image line differs.
        const auto withoutImageLine = [](const std::string& text) {
            if (text.rfind("<INCLUDE IMG>", 0) != 0)
                return text;
            const size_t end = text.find("\r\n");
            return end == std::string::npos ? std::string() : text.substr(end + 2);
        };
        int compared = 0;
        for (int i = 1; i <= before->recordsRead; ++i) {
            const QuestionRecord& b = before->question(i);
            if (b.style != kStyleSingle && b.style != kStyleMultiple && b.style != kStyleTextEntry)
                continue;
            const QuestionRecord* a = nullptr;
            for (int j = 1; j <= after->recordsRead && !a; ++j)
                if (withoutImageLine(after->question(j).text) == withoutImageLine(b.text))
                    a = &after->question(j);
            QVERIFY2(a, b.text.c_str());
            QCOMPARE(a->style, b.style);
            QCOMPARE(a->correctCount, b.correctCount);
            QCOMPARE(a->storedChoiceCount, b.storedChoiceCount);
            // A text entry question's maximum length is recomputed on import.
            const int choices = b.style == kStyleTextEntry ? 2 : b.storedChoiceCount;
            for (int k = 0; k < choices; ++k)
                QCOMPARE(cp932::toUtf8(a->choices.at(size_t(k))), cp932::toUtf8(b.choices.at(size_t(k))));
            QCOMPARE(cp932::toUtf8(a->explanation), cp932::toUtf8(b.explanation));
            ++compared;
        }
        QVERIFY(compared > 0);
    }
};

QUARVEL_TEST_MAIN(TestImportTool)
#include "TestImportTool.moc"
