#include "results/HistoryFile.h"
#include "support/TestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

namespace
{

// The empty file written out field by field, independently of the writer.
std::string goldenEmpty(const std::string& name)
{
    std::string bytes = ".HIS";
    bytes += name.substr(0, 508);
    bytes.resize(512, '\x0B');
    bytes.append(95, '\0');
    bytes += '\xFF';
    bytes.append(350, '\0');
    bytes += "\xFF\xFF";
    bytes.append(1000, '\0');
    return bytes;
}

// A history with a distinct value in every field, for layout checks.
History distinctHistory()
{
    History h;
    for (int k = 0; k < 10; ++k)
        h.attempts[size_t(k)] = {k + 1, k + 2, k + 3, k + 4, k + 5, 10 * k, 1 + k % 3, 20 + k};
    h.best = 97;
    h.average = 61;
    for (int c = 0; c < 50; ++c) {
        for (int f = 0; f < 7; ++f)
            h.categories[size_t(c)][size_t(f)] = (c * 7 + f) % 101;
    }
    for (int q = 0; q < 500; ++q) {
        h.correct[size_t(q)] = q % 256;
        h.wrong[size_t(q)] = (q * 3) % 256;
    }
    return h;
}

int byteAt(const std::string& bytes, size_t offset)
{
    return int(static_cast<unsigned char>(bytes.at(offset)));
}

QString toolPath()
{
    return qEnvironmentVariable("QUARVEL_TOOL");
}

} // namespace

class TestHistoryFile : public QObject
{
    Q_OBJECT
  private Q_SLOTS:
    void emptyFileIsGoldenBytesInNewDirectory()
    {
        testsupport::TempInstall install;
        const QString qdf = install.questionDir(QStringLiteral("oracle")) + QStringLiteral("テスト.qdf");
        const QString his = install.historyDir(QStringLiteral("oracle")) + QStringLiteral("テスト.HIS");
        QVERIFY(CreateEmptyHistory(his, qdf));
        const std::string bytes = testsupport::readBytes(his);
        QCOMPARE(bytes.size(), size_t(kHistorySize));
        // テスト in CP932 is 83 65 83 58 83 67.
        const std::string name =
            (install.questionDir(QStringLiteral("oracle"))).toStdString() + "\x83\x65\x83\x58\x83\x67.qdf";
        QVERIFY(bytes == goldenEmpty(name));
        QVERIFY(QDir(install.historyDir(QStringLiteral("oracle"))).entryList(QDir::Files).size() == 1);
    }

    void existingFileIsNeverOverwritten()
    {
        testsupport::TempInstall install;
        const QString his = install.writeFile(QStringLiteral("HIST/cisco/a.his"), std::string("keep me"));
        QVERIFY(CreateEmptyHistory(install.historyDir(QStringLiteral("cisco")) + QStringLiteral("A.HIS"),
                                   QStringLiteral("/x/a.qdf")));
        QCOMPARE(testsupport::readBytes(his), std::string("keep me"));
        QCOMPARE(QDir(install.historyDir(QStringLiteral("cisco"))).entryList(QDir::Files).size(), 1);
    }

    void nameFieldIsCutAt508()
    {
        const QString longPath = QStringLiteral("/") + QString(600, QLatin1Char('d')) + QStringLiteral(".qdf");
        const std::string field = HistoryNameField(longPath);
        QCOMPARE(field.size(), size_t(508));
        QCOMPARE(field, "/" + std::string(507, 'd'));
        const std::string bytes = EmptyHistoryBytes(longPath);
        QCOMPARE(bytes.size(), size_t(kHistorySize));
        QCOMPARE(bytes.substr(4, 508), field);
        QCOMPARE(byteAt(bytes, 512), 0);
    }

    void layoutOffsets()
    {
        const std::string bytes = HistoryBytes(distinctHistory(), "/q/t.qdf");
        QCOMPARE(bytes.size(), size_t(kHistorySize));
        QCOMPARE(bytes.substr(0, 12), std::string(".HIS/q/t.qdf"));
        QCOMPARE(byteAt(bytes, 12), 0x0B);
        QCOMPARE(byteAt(bytes, 511), 0x0B);
        // Record 1 at 512, record 10 at 593, 9 bytes each, the ninth always 0.
        const int record1[9] = {1, 2, 3, 4, 5, 0, 1, 20, 0};
        for (int f = 0; f < 9; ++f)
            QCOMPARE(byteAt(bytes, size_t(512 + f)), record1[f]);
        const int record10[9] = {10, 11, 12, 13, 14, 90, 1, 29, 0};
        for (int f = 0; f < 9; ++f)
            QCOMPARE(byteAt(bytes, size_t(593 + f)), record10[f]);
        QCOMPARE(byteAt(bytes, 602), 97);
        QCOMPARE(byteAt(bytes, 603), 61);
        for (size_t r = 604; r < 608; ++r)
            QCOMPARE(byteAt(bytes, r), 0);
        QCOMPARE(byteAt(bytes, 608), 0);
        QCOMPARE(byteAt(bytes, 614), 6);
        QCOMPARE(byteAt(bytes, 608 + 49 * 7 + 6), (49 * 7 + 6) % 101);
        QCOMPARE(byteAt(bytes, 958), 0xFF);
        QCOMPARE(byteAt(bytes, 959), 0xFF);
        QCOMPARE(byteAt(bytes, 960 + 300), 300 % 256);
        QCOMPARE(byteAt(bytes, 1459), 499 % 256);
        QCOMPARE(byteAt(bytes, 1460 + 1), 3);
        QCOMPARE(byteAt(bytes, 1959), (499 * 3) % 256);
    }

    void writeThenReadGivesTheSameHistory()
    {
        testsupport::TempInstall install;
        const QString his = install.historyDir(QStringLiteral("sun")) + QStringLiteral("t.HIS");
        const History h = distinctHistory();
        QVERIFY(SaveHistory(his, h, QStringLiteral("/q/t.qdf")));
        const History back = LoadHistory(his);
        for (size_t k = 0; k < 10; ++k) {
            QCOMPARE(back.attempts[k].minutes, h.attempts[k].minutes);
            QCOMPARE(back.attempts[k].questionCount, h.attempts[k].questionCount);
            QCOMPARE(back.attempts[k].mode, h.attempts[k].mode);
        }
        QCOMPARE(back.best, h.best);
        QCOMPARE(back.average, h.average);
        QVERIFY(back.categories == h.categories);
        QVERIFY(back.correct == h.correct);
        QVERIFY(back.wrong == h.wrong);
        // Only the history file is left in the directory: the temporary file was renamed.
        QCOMPARE(QDir(install.historyDir(QStringLiteral("sun"))).entryList(QDir::Files),
                 QStringList{QStringLiteral("t.HIS")});
    }

    void valuesOutsideAByteSaturate()
    {
        History h;
        h.attempts[0].minutes = 300;
        h.attempts[0].questionCount = 500;
        h.correct[0] = 256;
        h.wrong[499] = 1000;
        h.best = -4;
        const std::string bytes = HistoryBytes(h, {});
        QCOMPARE(byteAt(bytes, 512), 255);
        QCOMPARE(byteAt(bytes, 519), 255);
        QCOMPARE(byteAt(bytes, 960), 255);
        QCOMPARE(byteAt(bytes, 1959), 255);
        QCOMPARE(byteAt(bytes, 602), 0);
    }

    void missingShortAndLongFiles()
    {
        testsupport::TempInstall install;
        const History missing = LoadHistory(install.root() + QStringLiteral("HIST/x/none.HIS"));
        QCOMPARE(missing.best, 0);
        QVERIFY(missing.attempts[0].empty());

        std::string bytes = HistoryBytes(distinctHistory(), "/q/t.qdf");
        const QString shortFile = install.writeFile(QStringLiteral("HIST/x/short.HIS"), bytes.substr(0, 1959));
        const History shortHistory = LoadHistory(shortFile);
        QCOMPARE(shortHistory.best, 0);
        QCOMPARE(shortHistory.correct[300], 0);

        // A longer file (and one without the magic) is read in the layout all the same.
        bytes[0] = 'X';
        const QString longFile = install.writeFile(QStringLiteral("HIST/x/long.HIS"), bytes + std::string(500, '\x7F'));
        const History longHistory = LoadHistory(longFile);
        QCOMPARE(longHistory.best, 97);
        QCOMPARE(longHistory.wrong[499], (499 * 3) % 256);
    }

    void saveKeepsTheExistingNameField()
    {
        testsupport::TempInstall install;
        const QString his = install.historyDir(QStringLiteral("ibm")) + QStringLiteral("t.HIS");
        QVERIFY(CreateEmptyHistory(his, QStringLiteral("/orig/t.qdf")));
        QVERIFY(SaveHistory(his, distinctHistory()));
        const std::string bytes = testsupport::readBytes(his);
        QCOMPARE(bytes.substr(4, 11), std::string("/orig/t.qdf"));
        QCOMPARE(byteAt(bytes, 15), 0x0B);
        QCOMPARE(byteAt(bytes, 607), 0); // the new-file 0xFF is not kept

        // Without an existing file and without a path the field is all padding.
        const QString fresh = install.historyDir(QStringLiteral("ibm")) + QStringLiteral("u.HIS");
        QVERIFY(SaveHistory(fresh, History{}));
        QCOMPARE(testsupport::readBytes(fresh).substr(4, 508), std::string(508, '\x0B'));
    }

    void namesAreMatchedWithoutCase()
    {
        testsupport::TempInstall install;
        const QString lower =
            install.writeFile(QStringLiteral("HIST/japan/exam.his"), HistoryBytes(distinctHistory(), "n"));
        const QString upper = install.historyDir(QStringLiteral("japan")) + QStringLiteral("EXAM.HIS");
        QCOMPARE(LoadHistory(upper).best, 97);
        History h = LoadHistory(upper);
        h.best = 12;
        QVERIFY(SaveHistory(upper, h));
        QCOMPARE(QDir(install.historyDir(QStringLiteral("japan"))).entryList(QDir::Files),
                 QStringList{QStringLiteral("exam.his")});
        QCOMPARE(LoadHistory(lower).best, 12);
    }

    void unwritablePlaceReportsFailure()
    {
        testsupport::TempInstall install;
        // A directory where the file should be: nothing can be written, nothing is lost.
        const QString blocked = install.historyDir(QStringLiteral("x")) + QStringLiteral("blocked.HIS");
        QVERIFY(QDir().mkpath(blocked));
        QVERIFY(!SaveHistory(blocked, distinctHistory(), QStringLiteral("/q.qdf")));
        QVERIFY(QFileInfo(blocked).isDir());
        QCOMPARE(LoadHistory(blocked).best, 0);
    }

    void toolCreatesAndPrintsHistory()
    {
        if (toolPath().isEmpty())
            QSKIP("QUARVEL_TOOL not set");
        testsupport::TempInstall install;
        const QString his = install.root() + QStringLiteral("HIST/oracle/t.HIS");
        QProcess tool;
        tool.start(toolPath(), {QStringLiteral("his"), QStringLiteral("new"), his, QStringLiteral("/q/t.qdf")});
        QVERIFY(tool.waitForFinished());
        QCOMPARE(tool.exitCode(), 0);
        QVERIFY(testsupport::readBytes(his) == goldenEmpty("/q/t.qdf"));

        tool.start(toolPath(), {QStringLiteral("his"), QStringLiteral("new"), his, QStringLiteral("/q/t.qdf")});
        QVERIFY(tool.waitForFinished());
        QCOMPARE(tool.exitCode(), 1);

        QVERIFY(SaveHistory(his, distinctHistory()));
        tool.start(toolPath(), {QStringLiteral("his"), QStringLiteral("json"), his});
        QVERIFY(tool.waitForFinished());
        QCOMPARE(tool.exitCode(), 0);
        const QByteArray out = tool.readAllStandardOutput();
        QVERIFY(out.startsWith("{\"attempts\": [{\"minutes\": 1, \"month\": 2"));
        const QJsonObject json = QJsonDocument::fromJson(out).object();
        QCOMPARE(json.value(QStringLiteral("best")).toInt(), 97);
        QCOMPARE(json.value(QStringLiteral("average")).toInt(), 61);
        const QJsonArray attempts = json.value(QStringLiteral("attempts")).toArray();
        QCOMPARE(attempts.size(), 10);
        QCOMPARE(attempts.at(9).toObject().value(QStringLiteral("questionCount")).toInt(), 29);
        const QJsonArray categories = json.value(QStringLiteral("categories")).toArray();
        QCOMPARE(categories.size(), 50);
        QCOMPARE(categories.at(0).toArray().size(), 7);
        QCOMPARE(categories.at(1).toArray().at(0).toInt(), 7);
        QCOMPARE(json.value(QStringLiteral("correct")).toArray().size(), 500);
        QCOMPARE(json.value(QStringLiteral("wrong")).toArray().at(1).toInt(), 3);
    }

    void toolRejectsBadInput_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("content"); // written to the file first when not empty
        QTest::addColumn<int>("status");
        QTest::newRow("missing file") << QStringList{QStringLiteral("json")} << QByteArray() << 1;
        QTest::newRow("short file") << QStringList{QStringLiteral("json")} << QByteArray(".HIS") << 1;
        QTest::newRow("no magic") << QStringList{QStringLiteral("json")} << QByteArray(1960, 'x') << 1;
        QTest::newRow("unknown verb") << QStringList{QStringLiteral("list")} << QByteArray() << 2;
        QTest::newRow("no path") << QStringList{} << QByteArray() << 2;
    }
    void toolRejectsBadInput()
    {
        if (toolPath().isEmpty())
            QSKIP("QUARVEL_TOOL not set");
        QFETCH(QStringList, args);
        QFETCH(QByteArray, content);
        QFETCH(int, status);
        testsupport::TempInstall install;
        const QString file = install.root() + QStringLiteral("f.HIS");
        if (!content.isEmpty())
            install.writeFile(QStringLiteral("f.HIS"), content);
        QStringList full{QStringLiteral("his")};
        if (!args.isEmpty())
            full << args << file;
        QProcess tool;
        tool.start(toolPath(), full);
        QVERIFY(tool.waitForFinished());
        QCOMPARE(tool.exitCode(), status);
        QVERIFY(tool.readAllStandardOutput().isEmpty());
        QVERIFY(!tool.readAllStandardError().isEmpty());
    }
};

QUARVEL_TEST_MAIN(TestHistoryFile)
#include "TestHistoryFile.moc"
