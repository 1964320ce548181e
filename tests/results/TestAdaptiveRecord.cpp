// The adaptive record: created on the first adaptive attempt, updated question by question, never
// written half-way; and `quarvel-tool adp json` over it.
#include "ResultFixtures.h"
#include "bank/Cp932.h"
#include "results/AdaptiveRecord.h"
#include "support/TestSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

namespace
{

std::string line(const char* number, const char* category, const char* sub, const std::string& text, const char* asked,
                 const char* correct, const char* average)
{
    return JoinAdaptiveLine({number, category, sub, text, asked, correct, average});
}

std::string bytesOf(const std::vector<std::string>& lines)
{
    return AdaptiveRecordBytes(lines);
}

} // namespace

class TestAdaptiveRecord : public QObject
{
    Q_OBJECT

    std::unique_ptr<QuestionBank> m_bank;

    // Three bank questions numbered 101..103 in categories 1, 2, 1.
    void makeBank()
    {
        m_bank = testsupport::oneCategoryBank(3, 30, {"right", "wrong"});
        for (int j = 1; j <= 3; ++j) {
            m_bank->question(j).number = 100 + j;
            m_bank->question(j).category = j == 2 ? 2 : 1;
            m_bank->question(j).subCategory = j;
        }
        m_bank->question(2).text = cp932::fromUtf8("一行目\r\n二行目");
    }

    // Session: question 102 right in 10 s, question 101 wrong in 4 s, question 103 never shown.
    fixtures::Session attempt()
    {
        fixtures::Session s;
        s.add(2, true, 2);
        s.add(1, false, 1);
        s.add(1, true, 3);
        s.answers->at(1).secondsOnQuestion = 10;
        s.answers->at(2).secondsOnQuestion = 4;
        s.answers->at(3).secondsOnQuestion = 0;
        return s;
    }

    AttemptScore scoreOf(const fixtures::Session& s) { return ScoreAttempt(*s.questions, *s.answers, s.count, 60, {}); }

  private Q_SLOTS:
    void initTestCase() { makeBank(); }

    void firstAttemptCreatesEveryLine()
    {
        testsupport::TempInstall install;
        const QString path = install.historyDir(QStringLiteral("v")) + QStringLiteral("t.ADP");
        QDir().mkpath(install.historyDir(QStringLiteral("v")));
        const fixtures::Session s = attempt();
        QVERIFY(!UpdateAdaptiveRecord(path, *m_bank, *s.questions, *s.answers, scoreOf(s)));
        const std::string text = m_bank->question(1).text;
        // 101 wrong: asked only; 102 right; 103 in the session but never shown: untouched. The
        // CR LF of question 102 is gone without a trace.
        QCOMPARE(testsupport::readBytes(path),
                 bytesOf({line("101", "1", "1", text, "1", "0", "4"),
                          line("102", "2", "2", cp932::fromUtf8("一行目二行目"), "1", "1", "10"),
                          line("103", "1", "3", m_bank->question(3).text, "0", "0", "0")}));

        // The second attempt reads what the first wrote.
        QVERIFY(!UpdateAdaptiveRecord(path, *m_bank, *s.questions, *s.answers, scoreOf(s)));
        const auto lines = ReadAdaptiveRecord(path);
        QVERIFY(lines && lines->size() == 3);
        QCOMPARE(SplitAdaptiveLine((*lines)[1])->at(kAdpAsked), std::string("2"));
        QCOMPARE(SplitAdaptiveLine((*lines)[1])->at(kAdpCorrect), std::string("2"));
    }

    void runningAverage_data()
    {
        QTest::addColumn<QString>("average");
        QTest::addColumn<QString>("asked");
        QTest::addColumn<int>("seconds");
        QTest::addColumn<QString>("expected");
        QTest::newRow("first time") << "0"
                                    << "0" << 7 << "7";
        QTest::newRow("halfway") << "10"
                                 << "1" << 20 << "15";
        QTest::newRow("truncated") << "3"
                                   << "3" << 1 << "2"; // (9 + 1) div 4
        QTest::newRow("never negative") << "-50"
                                        << "1" << 10 << "0"; // an edited file
        QTest::newRow("blanks allowed") << " 6 "
                                        << " 1 " << 8 << "7";
    }
    void runningAverage()
    {
        QFETCH(QString, average);
        QFETCH(QString, asked);
        QFETCH(int, seconds);
        QFETCH(QString, expected);
        fixtures::Session s;
        s.add(1, true, 1).number = 101;
        s.answers->at(1).secondsOnQuestion = seconds;
        std::vector<std::string> lines{
            line("101", "1", "1", "q", asked.toLatin1().constData(), "0", average.toLatin1().constData())};
        QVERIFY(!AddAttemptToAdaptiveLines(lines, *s.questions, *s.answers, scoreOf(s), QStringLiteral("t.ADP")));
        QCOMPARE(QString::fromStdString(SplitAdaptiveLine(lines[0])->at(kAdpAverageSeconds)), expected);
    }

    void findsTheQuestionsOwnLine()
    {
        // Question 12 stands before question 1: a plain search for "@0*1" would stop at 12.
        fixtures::Session s;
        s.add(1, true, 1).number = 1;
        s.answers->at(1).secondsOnQuestion = 5;
        std::vector<std::string> lines{line("12", "1", "1", "@0*1 in a text", "0", "0", "0"),
                                       line("1", "1", "1", "one", "0", "0", "0")};
        QVERIFY(!AddAttemptToAdaptiveLines(lines, *s.questions, *s.answers, scoreOf(s), QStringLiteral("t.ADP")));
        QCOMPARE(lines[0], line("12", "1", "1", "@0*1 in a text", "0", "0", "0"));
        QCOMPARE(lines[1], line("1", "1", "1", "one", "1", "1", "5"));
    }

    void questionWithoutALineIsAppended()
    {
        fixtures::Session s;
        SessionQuestion& q = s.add(3, false, 9);
        q.number = 900;
        q.subCategory = 2;
        q.text = "new\r\nquestion";
        s.answers->at(1).secondsOnQuestion = 6;
        std::vector<std::string> lines{line("101", "1", "1", "old", "4", "2", "9")};
        QVERIFY(!AddAttemptToAdaptiveLines(lines, *s.questions, *s.answers, scoreOf(s), QStringLiteral("t.ADP")));
        QCOMPARE(lines.size(), size_t(2));
        QCOMPARE(lines[0], line("101", "1", "1", "old", "4", "2", "9"));
        QCOMPARE(lines[1], line("900", "3", "2", "newquestion", "1", "0", "6"));
    }

    void markersInsideTheText()
    {
        const auto fields = SplitAdaptiveLine(line("7", "1", "2", "see @4*9@5*9 here", "3", "2", "11"));
        QVERIFY(fields);
        QCOMPARE(fields->at(kAdpText), std::string("see @4*9@5*9 here"));
        QCOMPARE(fields->at(kAdpAsked), std::string("3"));
        QCOMPARE(fields->at(kAdpAverageSeconds), std::string("11"));
        QVERIFY(!SplitAdaptiveLine("@0*1@1*1@2*1@3*text@4*0@5*0@7*")); // no "@6*"
    }

    void badCountLeavesTheFileUntouched()
    {
        testsupport::TempInstall install;
        const std::string before =
            bytesOf({line("101", "1", "1", "a", "1", "1", "3"), line("102", "2", "2", "b", "x1", "0", "0"),
                     line("103", "1", "3", "c", "0", "0", "0")});
        const QString path = install.writeFile(QStringLiteral("HIST/v/t.ADP"), before);
        const fixtures::Session s = attempt();
        const auto error = UpdateAdaptiveRecord(path, *m_bank, *s.questions, *s.answers, scoreOf(s));
        QVERIFY(error);
        QCOMPARE(error->line, 2);
        QVERIFY(error->text().startsWith(path + QStringLiteral(":2: ")));
        QCOMPARE(testsupport::readBytes(path), before);
    }

    void toolPrintsTheFieldsAsStored()
    {
        if (qEnvironmentVariableIsEmpty("QUARVEL_TOOL"))
            QSKIP("QUARVEL_TOOL is not set (ctest sets it)");
        testsupport::TempInstall install;
        const QString path = install.writeFile(
            QStringLiteral("t.adp"), bytesOf({line("101", "1", "01", cp932::fromUtf8("問い \"x\""), "2", "1", "12")}));
        QProcess process;
        process.start(qEnvironmentVariable("QUARVEL_TOOL"), {QStringLiteral("adp"), QStringLiteral("json"), path});
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitCode(), 0);
        const QJsonArray lines = QJsonDocument::fromJson(process.readAllStandardOutput()).object()["lines"].toArray();
        QCOMPARE(lines.size(), 1);
        const QJsonObject first = lines[0].toObject();
        QCOMPARE(first["subCategory"].toString(), QStringLiteral("01"));
        QCOMPARE(first["text"].toString(), QStringLiteral("問い \"x\""));
        QCOMPARE(first["averageSeconds"].toString(), QStringLiteral("12"));

        process.start(qEnvironmentVariable("QUARVEL_TOOL"),
                      {QStringLiteral("adp"), QStringLiteral("json"), install.root() + QStringLiteral("missing.ADP")});
        QVERIFY(process.waitForFinished(60000));
        QCOMPARE(process.exitCode(), 1);
    }
};

QUARVEL_TEST_MAIN(TestAdaptiveRecord)
#include "TestAdaptiveRecord.moc"
