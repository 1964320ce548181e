#include "QdfFixtures.h"
#include "bank/QuestionFileWriter.h"
#include "bank/source/QuestionSource.h"
#include "support/TestSupport.h"

#include <algorithm>

using namespace qdffixtures;

namespace
{

const char* kSource = R"(# a comment
mock: 2/70
minutes: 15
code: QV-T : テスト
title: 題名
badge1: 1
badge345: 3
updated: 20260101120000

category: ネットワーク
  sub: TCP/IP
  sub:
  count: 0
  sub: ルーティング
category: 第二分類
count: 9
  sub: 一つ目
  count: 5

question: 10
category: 1
sub: 3
style: 1
correct: 1
text: 正しいものはどれか。
  |
  | 二行目
choice: 正解～①
choice:
| 複数行の
|
| 選択肢
choice:
explanation:
| 理由です。
|
ref: 『ネットワーク入門』
page: 12
ref: Null
page:  p.3
link: 解説
target: http://example.org/x

question: 11
category: 2
sub: 1
style: 2
correct: 2
shown: 3
choice: A
choice: B
choice: C
choice: D
)";

std::optional<FileError> packToBank(std::string_view source, QuestionBank& bank, std::string* bytes = nullptr,
                                    std::vector<FileProblem>* warnings = nullptr)
{
    std::string qdf;
    if (auto e = PackQuestionSource(source, QStringLiteral("t.qsrc"), qdf, warnings))
        return e;
    if (bytes)
        *bytes = qdf;
    return LoadQuestionBankFromBytes(qdf, QStringLiteral("t.qdf"), bank);
}

// unpack, then pack: the same bytes, and unpack tells so.
void roundTrip(const std::string& qdf)
{
    std::string source;
    bool exact = false;
    const auto error = UnpackQuestionFile(qdf, QStringLiteral("t.qdf"), source, &exact);
    QVERIFY2(!error, error ? qPrintable(error->text()) : "");
    std::string again;
    const auto packError = PackQuestionSource(source, QStringLiteral("t.qsrc"), again);
    QVERIFY2(!packError, packError ? qPrintable(packError->text() + "\n" + QString::fromStdString(source)) : "");
    QCOMPARE(QByteArray::fromStdString(again), QByteArray::fromStdString(qdf));
    QVERIFY(exact);
}

} // namespace

class TestQuestionSource : public QObject
{
    Q_OBJECT
  private Q_SLOTS:
    void packReadsAsWritten()
    {
        auto bank = std::make_unique<QuestionBank>();
        std::vector<FileProblem> warnings;
        const auto error = packToBank(kSource, *bank, nullptr, &warnings);
        QVERIFY2(!error, error ? qPrintable(error->text()) : "");
        QCOMPARE(bank->mockCount, 2);
        QCOMPARE(bank->mockMinutes, 15);
        QCOMPARE(bank->questionCount, 2); // counted
        QCOMPARE(bank->categoryCount, 2);
        QCOMPARE(bank->category(1).questionCount, 1); // computed
        QCOMPARE(bank->category(1).sub(2).name, std::string());
        QCOMPARE(bank->category(1).sub(3).name, sj("ルーティング"));
        QCOMPARE(bank->category(1).sub(3).questionCount, 1);
        QCOMPARE(bank->category(2).questionCount, 9); // given, and wrong: a warning
        QCOMPARE(bank->category(2).sub(1).questionCount, 5);

        const QuestionRecord& q = bank->question(1);
        QCOMPARE(q.number, 10);
        QCOMPARE(q.subCategory, 3);
        QCOMPARE(q.text, sj("正しいものはどれか。\r\n\r\n二行目"));
        QCOMPARE(q.storedChoiceCount, 3);
        QCOMPARE(q.shownChoiceCount, 3);
        QCOMPARE(q.choices[0], sj("正解～①"));
        QCOMPARE(q.choices[1], sj("複数行の\r\n\r\n選択肢"));
        QCOMPARE(q.choices[2], std::string());
        QCOMPARE(q.explanation, sj("\r\n理由です。\r\n"));
        QCOMPARE(q.references[0].text, sj("『ネットワーク入門』"));
        QCOMPARE(q.references[0].page, std::string("12"));
        QCOMPARE(q.references[1].text, std::string());
        QCOMPARE(q.references[1].page, std::string(" p.3"));
        QCOMPARE(q.references[2].page, std::string("0"));
        QCOMPARE(q.links[0].target, std::string("http://example.org/x"));
        QCOMPARE(bank->question(2).storedChoiceCount, 4);
        QCOMPARE(bank->question(2).shownChoiceCount, 3);
        QCOMPARE(bank->question(2).explanation, std::string());

        // The wrong explicit counts are reported at their source lines; question 10's third
        // stored choice is empty, question 11 has no text.
        QStringList got;
        for (const FileProblem& w : warnings) {
            QVERIFY(w.warning);
            got << QString::number(w.where.line);
        }
        QCOMPARE(got.join(','), QStringLiteral("16,18,20,44"));
        QVERIFY(warnings[0].text().startsWith(QStringLiteral("t.qsrc:16: warning: category 2 gives 9")));
    }

    // The reader admits a header count above the records: packing warns at the source line.
    void headerCountAboveQuestionsPacksWithAWarning()
    {
        QStringList lines = QString::fromUtf8(kSource).split(QLatin1Char('\n'));
        lines[8] = QStringLiteral("questions: 3");
        auto bank = std::make_unique<QuestionBank>();
        std::vector<FileProblem> warnings;
        const auto error = packToBank(lines.join(QLatin1Char('\n')).toStdString(), *bank, nullptr, &warnings);
        QVERIFY2(!error, error ? qPrintable(error->text()) : "");
        QCOMPARE(bank->headerQuestionCount, 3);
        QCOMPARE(bank->questionCount, 2);
        QVERIFY(std::any_of(warnings.begin(), warnings.end(), [](const FileProblem& w) {
            return w.text().startsWith(QStringLiteral("t.qsrc:9: warning: the header gives 3 questions"));
        }));
    }

    void unpackThenPackGivesTheSameBytes()
    {
        QuestionHeader header;
        auto bank = sampleBank(header);
        roundTrip(QuestionFileBytes(header, *bank));
        roundTrip(minimalFile(3, kMaxCategories).bytes());
    }

    void unusualFilesRoundTrip_data()
    {
        QTest::addColumn<QByteArray>("qdf");
        auto row = [](const char* name, const RawFile& f, std::string_view eol = "\r\n") {
            QTest::newRow(name) << QByteArray::fromStdString(f.bytes(eol));
        };
        const int r = 54; // first record's number line, 1-based
        row("LF only", minimalFile(2), "\n");
        {
            std::string bytes = minimalFile(2).bytes();
            bytes.resize(bytes.size() - 2);
            QTest::newRow("no last line end") << QByteArray::fromStdString(bytes);
        }
        auto at = [](RawFile& file, int line) -> std::string& { return file.lines[size_t(line - 1)]; };
        RawFile f = minimalFile(2);
        at(f, 53) = " *CE ";
        at(f, r + 4) = "*QE\t";                  // the question text's marker with a tab
        at(f, r + 22) = "ignored Line \x82\xA0"; // an ignored line with content
        at(f, r + 34) = "Ahyy";                  // the text "Null", stored scrambled
        at(f, r + 35) = "  Null";                // "no entry" with blanks
        at(f, r + 36) = "Null";
        at(f, r + 37) = "0"; // a page "0" written out
        at(f, r + 42) = "caption\twith tab";
        at(f, r + 46) = "----"; // a separator with content
        f.lines.back() = " *EOF";
        f.add("text after the end");
        row("markers, separators, references, trailer", f);
        {
            RawFile g = minimalFile(1);
            at(g, 15) = ScrambleLine("sub with % sign");
            at(g, r + 3) = ScrambleLine("\x81\x81 bad \xFF byte and a CR\r inside");
            at(g, r + 9) = ScrambleLine("   choice with blanks around   ");
            at(g, r + 10) = "  *AE";
            g.lines.insert(g.lines.begin() + r + 8, "*QE"); // the text "*DR" is fine in a choice
            g.lines.pop_back();                             // no separator at all after the last record
            row("odd bytes and blocks", g);
        }
        {
            RawFile g = minimalFile(1);
            g.lines.back() = "x"; // not *EOF: the file just ends
            row("ends after a separator", g);
        }
        {
            RawFile g = minimalFile(1);
            g.lines[size_t(r + 2)] = "";                 // question text: one empty line
            g.lines.insert(g.lines.begin() + r + 3, ""); // and another
            row("blank question text", g);
        }
    }

    void unusualFilesRoundTrip()
    {
        QFETCH(QByteArray, qdf);
        auto bank = std::make_unique<QuestionBank>();
        const auto error = LoadQuestionBankFromBytes(qdf.toStdString(), QStringLiteral("t.qdf"), *bank);
        QVERIFY2(!error, error ? qPrintable(error->text()) : "");
        roundTrip(qdf.toStdString());
    }

    void mixedLineEndsAreReported()
    {
        std::string bytes = minimalFile(1).bytes();
        bytes.replace(bytes.find("\r\n"), 2, "\n");
        std::string source;
        bool exact = true;
        QCOMPARE(UnpackQuestionFile(bytes, QStringLiteral("t.qdf"), source, &exact), std::nullopt);
        QVERIFY(!exact);
    }

    void unpackRefusesWhatTheReaderRefuses()
    {
        RawFile f = minimalFile(1);
        f.lines[size_t(54 + 5 - 1)] = "12";
        std::string source;
        const auto error = UnpackQuestionFile(f.bytes(), QStringLiteral("t.qdf"), source);
        QVERIFY(error);
        QCOMPARE(error->line, 59);
    }

    void packErrorsNameTheSourceLine_data()
    {
        QTest::addColumn<QString>("edit"); // "LINE=text" replaces a line of kSource, "+text" appends
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("message");
        QTest::newRow("unknown key") << "2=mocks: 1/1" << 2 << "unknown field";
        QTest::newRow("no colon") << "2=just words" << 2 << "key: value";
        QTest::newRow("bar without block") << "10=| text" << 10 << "must follow";
        QTest::newRow("wave dash") << "29=choice: A〜B" << 29 << "U+301c";
        QTest::newRow("bad escape") << "29=%choice: %4" << 29 << "two hex digits";
        QTest::newRow("header after categories") << "18=code: X" << 18 << "before the categories";
        QTest::newRow("page without ref") << "37=page: 1" << 37 << "must follow its";
        QTest::newRow("end after a non-block") << "24=end: *QE" << 24 << "must follow the lines";
        QTest::newRow("end that is no marker") << "33=end: *AX" << 33 << "must read as \"*AE\"";
        QTest::newRow("collides with *QE") << "27=| *DR" << 27 << "would end the block";
        QTest::newRow("separator *EOF") << "43=separator: *EOF" << 43 << "would end the file";
        QTest::newRow("twice in a question") << "43=sub: 1" << 43 << "given twice";
        QTest::newRow("missing required") << "23=" << 20 << "no \"style:\"";
        QTest::newRow("missing header field") << "3=" << 1 << "\"minutes:\" is missing";
        QTest::newRow("stored above 10 (reader)") << "43=stored: 11" << 43 << "stored choice count";
        QTest::newRow("category beyond table (reader)") << "21=category: 3" << 21 << "outside 1..2";
        QTest::newRow("eleventh choice")
            << "+choice: 5\nchoice: 6\nchoice: 7\nchoice: 8\nchoice: 9\nchoice: 10\nchoice: 11" << 60
            << "more than 10 choices";
        QTest::newRow("field after trailer") << "+trailer:\n| *EOF\nstyle: 1" << 56 << "may follow";
        QTest::newRow("invalid UTF-8") << QString("5=title: \x01") << 5 << "";
    }

    void packErrorsNameTheSourceLine()
    {
        QFETCH(QString, edit);
        QFETCH(int, line);
        QFETCH(QString, message);
        QStringList lines = QString::fromUtf8(kSource).split(QLatin1Char('\n'));
        if (edit.startsWith(QLatin1Char('+'))) {
            lines.removeLast(); // the source ends with a line end
            lines << edit.mid(1).split(QLatin1Char('\n')) << QString();
        } else {
            const qsizetype eq = edit.indexOf(QLatin1Char('='));
            lines[edit.left(eq).toInt() - 1] = edit.mid(eq + 1);
        }
        QByteArray source = lines.join(QLatin1Char('\n')).toUtf8();
        if (QTest::currentDataTag() == QLatin1String("invalid UTF-8"))
            source.replace('\x01', "\xC3\x28");
        std::string qdf;
        const auto error = PackQuestionSource(source.toStdString(), QStringLiteral("t.qsrc"), qdf);
        QVERIFY(error);
        QVERIFY2(error->message.contains(message, Qt::CaseInsensitive), qPrintable(error->text()));
        QCOMPARE(error->line, line);
        QCOMPARE(error->file, QStringLiteral("t.qsrc"));
    }
};

QUARVEL_TEST_MAIN(TestQuestionSource)
#include "TestQuestionSource.moc"
