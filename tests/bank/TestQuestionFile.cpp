#include "QdfFixtures.h"
#include "bank/Cp932.h"
#include "bank/QuestionFile.h"
#include "bank/QuestionFileWriter.h"
#include "support/TestSupport.h"

#include <memory>

using namespace qdffixtures;

namespace
{

void compareBanks(const QuestionBank& got, const QuestionBank& want)
{
    QCOMPARE(got.mockCount, want.mockCount);
    QCOMPARE(got.mockMinutes, want.mockMinutes);
    QCOMPARE(got.questionCount, want.questionCount);
    QCOMPARE(got.recordsRead, want.recordsRead);
    QCOMPARE(got.categoryCount, want.categoryCount);
    for (int c = 1; c <= want.categoryCount; ++c) {
        QCOMPARE(got.category(c).name, want.category(c).name);
        QCOMPARE(got.category(c).questionCount, want.category(c).questionCount);
        for (int k = 1; k <= kMaxSubCategories; ++k) {
            QCOMPARE(got.category(c).sub(k).name, want.category(c).sub(k).name);
            QCOMPARE(got.category(c).sub(k).questionCount, want.category(c).sub(k).questionCount);
        }
    }
    for (int j = 1; j <= want.recordsRead; ++j) {
        const QuestionRecord& a = got.question(j);
        const QuestionRecord& b = want.question(j);
        QCOMPARE(a.number, b.number);
        QCOMPARE(a.category, b.category);
        QCOMPARE(a.subCategory, b.subCategory);
        QCOMPARE(a.text, b.text);
        QCOMPARE(a.storedChoiceCount, b.storedChoiceCount);
        QCOMPARE(a.shownChoiceCount, b.shownChoiceCount);
        QCOMPARE(a.correctCount, b.correctCount);
        QCOMPARE(a.style, b.style);
        for (size_t k = 0; k < kMaxChoices; ++k)
            QCOMPARE(a.choices[k], b.choices[k]);
        QCOMPARE(a.explanation, b.explanation);
        for (size_t k = 0; k < kReferenceCount; ++k) {
            QCOMPARE(a.references[k].text, b.references[k].text);
            QCOMPARE(a.references[k].page, b.references[k].page);
        }
        for (size_t k = 0; k < kLinkCount; ++k) {
            QCOMPARE(a.links[k].caption, b.links[k].caption);
            QCOMPARE(a.links[k].target, b.links[k].target);
        }
    }
}

constexpr int kFirstRecordLine = 10 + 42 + 1 + 1; // header, one category, "*CE"

std::optional<FileError> loadBytes(const std::string& bytes, QuestionBank& bank)
{
    return LoadQuestionBankFromBytes(bytes, QStringLiteral("t.qdf"), bank);
}

} // namespace

class TestQuestionFile : public QObject
{
    Q_OBJECT
  private Q_SLOTS:
    void writerAndReaderRoundTrip()
    {
        QuestionHeader header;
        auto want = sampleBank(header);
        testsupport::TempInstall install;
        const QString path = install.writeFile(QStringLiteral("QDAT/oracle/t1.qdf"), QuestionFileBytes(header, *want));

        QuestionHeader readHeader;
        QCOMPARE(ReadQuestionHeader(path, readHeader), std::nullopt);
        QVERIFY(readHeader.hasFormatTag());
        QCOMPARE(readHeader.mockCount, 2);
        QCOMPARE(readHeader.targetRate, std::string("70"));
        QCOMPARE(readHeader.code, header.code);
        QCOMPARE(readHeader.title, header.title);
        QCOMPARE(readHeader.badges, header.badges);
        QCOMPARE(readHeader.updated, header.updated);
        QCOMPARE(readHeader.questionCount, 3);

        auto got = std::make_unique<QuestionBank>();
        const auto error = LoadQuestionBank(path, *got);
        QVERIFY2(!error, error ? qPrintable(error->text()) : "");
        compareBanks(*got, *want);

        std::vector<CategoryNames> names;
        QCOMPARE(ReadCategoryTable(path, names), std::nullopt);
        QCOMPARE(names.size(), size_t(2));
        QCOMPARE(names[1].name, want->category(2).name);
        QCOMPARE(names[1].subCategories[0], want->category(2).sub(1).name);
        QCOMPARE(names[1].subCategories[1], std::string());
    }

    void scrambleLineRules_data()
    {
        QTest::addColumn<QByteArray>("plain");
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("ascii letters rotate") << QByteArray("abcXYZ") << QByteArray("nopKLM");
        QTest::newRow("digits and punctuation stay") << QByteArray("0123 @*/.-") << QByteArray("0123 @*/.-");
        QTest::newRow("83 40-4F") << QByteArray("\x83\x40\x83\x4F") << QByteArray("\x83\x50\x83\x5F");
        QTest::newRow("83 60-6F") << QByteArray("\x83\x60\x83\x6F") << QByteArray("\x83\x80\x83\x8F");
        QTest::newRow("82 A0-BF") << QByteArray("\x82\xA0\x82\xBF") << QByteArray("\x82\xC0\x82\xDF");
        QTest::newRow("89-8F lead") << QByteArray("\x89\x40\x8F\xFC") << QByteArray("\x99\x40\x9F\xFC");
        QTest::newRow("90-97 lead") << QByteArray("\x90\x40\x97\x9E") << QByteArray("\xE0\x40\xE7\x9E");
        QTest::newRow("lead with low trail stays") << QByteArray("\x89\x3F") << QByteArray("\x89\x3F");
        QTest::newRow("83 70-7F stays") << QByteArray("\x83\x70\x83\x7F") << QByteArray("\x83\x70\x83\x7F");
        QTest::newRow("half-width kana pairs, hiding the next letter") << QByteArray("\xB1"
                                                                                     "a"
                                                                                     "b")
                                                                       << QByteArray("\xB1"
                                                                                     "a"
                                                                                     "o");
        QTest::newRow("dangling lead byte kept alone") << QByteArray("a\x83") << QByteArray("n\x83");
        QTest::newRow("empty") << QByteArray() << QByteArray();
    }

    void scrambleLineRules()
    {
        QFETCH(QByteArray, plain);
        QFETCH(QByteArray, stored);
        QCOMPARE(QByteArray::fromStdString(ScrambleLine(plain.toStdString())), stored);
        QCOMPARE(QByteArray::fromStdString(ScrambleLine(stored.toStdString())), plain);
    }

    void scrambleLineIsItsOwnInverse()
    {
        // Every byte value in every position, including lone lead bytes at the end.
        std::string all;
        for (int b = 0; b < 256; ++b) {
            for (int t = 0; t < 256; t += 7) {
                all.push_back(char(b));
                all.push_back(char(t));
            }
        }
        for (size_t cut : {all.size(), all.size() - 1, size_t(1), size_t(3)}) {
            const std::string line = all.substr(0, cut);
            const std::string once = ScrambleLine(line);
            QCOMPARE(once.size(), line.size());
            QCOMPARE(ScrambleLine(once), line);
        }
        const std::string text = sj("データベース～①Ⅰ ｶﾅ 漢字 SELECT");
        QVERIFY(ScrambleLine(text) != text);
        QCOMPARE(ScrambleLine(ScrambleLine(text)), text);
    }

    void writerGoldenBytes()
    {
        // The layout line by line: one category, one record with a two-line question.
        QuestionHeader header;
        header.code = "C";
        header.title = "T";
        header.updated = "20260102030405";
        header.badges = {false, true, false, true, false};
        header.targetRate = "65";
        auto bank = std::make_unique<QuestionBank>();
        bank->mockCount = 1;
        bank->mockMinutes = 5;
        bank->categoryCount = 1;
        bank->category(1) = CategoryEntry{"abc", 1, {}};
        bank->category(1).sub(1) = {"x", 1};
        QuestionRecord& r = bank->question(1);
        r = QuestionRecord{};
        r.number = 7;
        r.category = r.subCategory = 1;
        r.text = "a\r\nb";
        r.storedChoiceCount = r.shownChoiceCount = r.correctCount = 1;
        r.style = 1;
        r.choices[0] = "y";
        r.explanation = "\r\nz";
        r.references[0] = {"ref", "p1"};
        r.links[0] = {"L", "http://h/"};
        bank->recordsRead = 1;

        std::string want = "QFileFormat-v1.4\r\n1/65\r\n5\r\nC\r\nT\r\n0\r\n1\r\n2\r\n20260102030405\r\n1\r\n"
                           "nop\r\n1\r\nk\r\n1\r\n";
        for (int k = 2; k <= 20; ++k)
            want += "\r\n0\r\n";
        want += "*CE\r\n7\r\n1\r\n1\r\nn\r\no\r\n*QE\r\n1\r\n1\r\n1\r\n1\r\nl\r\n*AE\r\n";
        for (int k = 2; k <= 10; ++k)
            want += "*AE\r\n";
        for (int k = 0; k < 11; ++k)
            want += "\r\n";
        want += "m\r\n*EE\r\ners\r\nc1\r\nNull\r\nNull\r\nNull\r\nNull\r\nNull\r\nNull\r\nY\r\nuggc://u/"
                "\r\n\r\n\r\n*EOF\r\n";
        QCOMPARE(QByteArray::fromStdString(QuestionFileBytes(header, *bank)), QByteArray::fromStdString(want));
    }

    void blocksMarkersAndReferenceLines()
    {
        RawFile f;
        f.add(kFormatTag);
        f.add("3");    // a count without "/" and target rate
        f.add(" 20 "); // blanks around a number are allowed
        for (const char* l : {"QV-9", "T", "1", "x", "3", "20260505050505", "1"})
            f.add(l);
        addCategory(f, "A", 2);
        addCategory(f, "B", 0);
        addCategory(f, "  C  ", 1);
        f.add(" *CE\t"); // markers are compared trimmed
        f.add("5");
        f.add("3");
        f.add("1");
        f.text("  first line");
        f.text("");
        f.text("third line  ");
        f.add("*QE");
        for (const char* l : {"3", "2", "1", "2"})
            f.add(l);
        f.add("*AE"); // an empty choice
        f.text("one");
        f.text("");
        f.text("two");
        f.add("*AE");
        f.text("  padded  ");
        f.add("  *AE  ");
        for (int k = 0; k < 7; ++k)
            f.add("*AE");
        for (int k = 0; k < 11; ++k)
            f.add("ignored, whatever it holds");
        f.text("A");
        f.text("B ");
        f.add("*EE");
        f.add("Null");
        f.add("Null");
        f.add("   ");
        f.text(" p. 12 ");
        f.text("  Book  ");
        f.add("");
        f.add("*DR"); // plain text "*QE", stored scrambled: not a marker here
        f.add(" Null ");
        f.text(" caption ");
        f.text(" http://example.org/ ");
        f.text("no target");
        f.add("");
        f.add("--- another record follows ---");
        addRecord(f, 6, false);
        f.lines[f.lines.size() - 47 + 1] = "2"; // category 2 of the second record
        f.lines.back() = " *EOF ";
        f.add("whatever follows the end is not read");

        auto bank = std::make_unique<QuestionBank>();
        const auto error = loadBytes(f.bytes(), *bank);
        QVERIFY2(!error, error ? qPrintable(error->text()) : "");
        QCOMPARE(bank->mockCount, 3);
        QCOMPARE(bank->mockMinutes, 20);
        QCOMPARE(bank->questionCount, 1);
        QCOMPARE(bank->categoryCount, 3);
        QCOMPARE(bank->recordsRead, 2);
        QCOMPARE(bank->category(3).name, std::string("  C  ")); // names are not trimmed
        QCOMPARE(bank->category(1).sub(2).name, std::string("A-2"));
        QCOMPARE(bank->category(1).sub(3).name, std::string());

        const QuestionRecord& r = bank->question(1);
        QCOMPARE(r.number, 5);
        QCOMPARE(r.category, 3);
        QCOMPARE(r.text, std::string("first line\r\n\r\nthird line"));
        QCOMPARE(r.choices[0], std::string());
        QCOMPARE(r.choices[1], std::string("one\r\n\r\ntwo"));
        QCOMPARE(r.choices[2], std::string("padded"));
        QCOMPARE(r.explanation, std::string("\r\nA\r\nB "));
        QCOMPARE(r.references[0].text, std::string());
        QCOMPARE(r.references[0].page, std::string("0"));
        QCOMPARE(r.references[1].text, std::string());
        QCOMPARE(r.references[1].page, std::string(" p. 12 ")); // pages are not trimmed
        QCOMPARE(r.references[2].text, std::string("Book"));
        QCOMPARE(r.references[2].page, std::string("0"));
        QCOMPARE(r.references[3].text, std::string("*QE"));
        QCOMPARE(r.references[3].page, std::string("0"));
        QCOMPARE(r.links[0].caption, std::string("caption"));
        QCOMPARE(r.links[0].target, std::string("http://example.org/"));
        QCOMPARE(r.links[1].caption, std::string("no target"));
        QCOMPARE(r.links[1].target, std::string());
        QCOMPARE(bank->question(2).number, 6);
        QCOMPARE(bank->question(2).category, 2);
    }

    void lineEndsAndFileEnds_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("records");
        const RawFile two = minimalFile(2);
        QTest::newRow("CR LF") << QByteArray::fromStdString(two.bytes()) << 2;
        QTest::newRow("LF only") << QByteArray::fromStdString(two.bytes("\n")) << 2;
        std::string noFinalEnd = two.bytes();
        noFinalEnd.resize(noFinalEnd.size() - 2);
        QTest::newRow("no line end after *EOF") << QByteArray::fromStdString(noFinalEnd) << 2;
        RawFile noEof = two;
        noEof.lines.pop_back();
        QTest::newRow("ends where the separator would stand") << QByteArray::fromStdString(noEof.bytes()) << 2;
        noEof.add("");
        QTest::newRow("ends where a record would begin") << QByteArray::fromStdString(noEof.bytes()) << 2;
    }

    void lineEndsAndFileEnds()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, records);
        auto bank = std::make_unique<QuestionBank>();
        const auto error = loadBytes(bytes.toStdString(), *bank);
        QVERIFY2(!error, error ? qPrintable(error->text()) : "");
        QCOMPARE(bank->recordsRead, records);
        QCOMPARE(bank->question(records).text, std::string("Question ") + std::to_string(records));
        QCOMPARE(bank->question(records).explanation, std::string("\r\nBecause."));
    }

    void fiftyCategoriesNeedNoEndMarker()
    {
        const RawFile f = minimalFile(1, kMaxCategories);
        auto bank = std::make_unique<QuestionBank>();
        const auto error = loadBytes(f.bytes(), *bank);
        QVERIFY2(!error, error ? qPrintable(error->text()) : "");
        QCOMPARE(bank->categoryCount, kMaxCategories);
        QCOMPARE(bank->category(50).name, std::string("Cat50"));
        QCOMPARE(bank->recordsRead, 1);
        std::vector<CategoryNames> names;
        testsupport::TempInstall install;
        QCOMPARE(ReadCategoryTable(install.writeFile(QStringLiteral("f.qdf"), f.bytes()), names), std::nullopt);
        QCOMPARE(names.size(), size_t(50));
    }

    void headerBadges_data()
    {
        QTest::addColumn<QByteArray>("line6");
        QTest::addColumn<QByteArray>("line7");
        QTest::addColumn<QByteArray>("line8");
        QTest::addColumn<QString>("badges");
        QTest::newRow("none") << QByteArray("0") << QByteArray("") << QByteArray("0") << QString("-----");
        QTest::newRow("1 and 5") << QByteArray("1") << QByteArray("0") << QByteArray("3") << QString("1---5");
        QTest::newRow("2 and 3") << QByteArray("2") << QByteArray("1") << QByteArray("1") << QString("-23--");
        QTest::newRow("4") << QByteArray("yes") << QByteArray("x") << QByteArray("2") << QString("---4-");
        QTest::newRow("8 out of range") << QByteArray("") << QByteArray("") << QByteArray("4") << QString("-----");
    }

    void headerBadges()
    {
        QFETCH(QByteArray, line6);
        QFETCH(QByteArray, line7);
        QFETCH(QByteArray, line8);
        QFETCH(QString, badges);
        RawFile f = minimalFile();
        f.lines[5] = line6.toStdString();
        f.lines[6] = line7.toStdString();
        f.lines[7] = line8.toStdString();
        testsupport::TempInstall install;
        QuestionHeader header;
        QCOMPARE(ReadQuestionHeader(install.writeFile(QStringLiteral("h.qdf"), f.bytes()), header), std::nullopt);
        QString got;
        for (int b = 0; b < 5; ++b)
            got += header.badges[size_t(b)] ? QChar(u'1' + b) : QChar(u'-');
        QCOMPARE(got, badges);
        QCOMPARE(header.noBadge(), badges == QStringLiteral("-----"));
    }

    void headerOfAFileWithoutTheFormatTag()
    {
        testsupport::TempInstall install;
        const QString path =
            install.writeFile(QStringLiteral("x.qdf"), std::string("QFileFormat-v1.3\r\nnot a number\r\n"));
        QuestionHeader header;
        QCOMPARE(ReadQuestionHeader(path, header, true), std::nullopt);
        QVERIFY(!header.hasFormatTag());
        const auto error = ReadQuestionHeader(path, header, false);
        QVERIFY(error);
        QCOMPARE(error->line, 2);
        const QString empty = install.writeFile(QStringLiteral("e.qdf"), std::string());
        QCOMPARE(ReadQuestionHeader(empty, header, true), std::nullopt);
        QVERIFY(!header.hasFormatTag());
        // The tag is compared untrimmed.
        const QString blank = install.writeFile(QStringLiteral("b.qdf"), std::string("QFileFormat-v1.4 \r\n"));
        QCOMPARE(ReadQuestionHeader(blank, header, true), std::nullopt);
        QVERIFY(!header.hasFormatTag());
    }

    void brokenFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("line");
        QTest::addColumn<QString>("message");
        const int r = kFirstRecordLine; // line of the first record's number
        auto with = [](int line, const char* text, int records = 1) {
            RawFile f = minimalFile(records);
            f.lines[size_t(line - 1)] = text;
            return QByteArray::fromStdString(f.bytes());
        };
        auto cut = [](int keep) {
            RawFile f = minimalFile();
            f.lines.resize(size_t(keep));
            return QByteArray::fromStdString(f.bytes());
        };
        QTest::newRow("mock count not a number") << with(2, "x/60") << 2 << "mock-exam question count";
        QTest::newRow("time limit not a number") << with(3, "") << 3 << "mock-exam time limit";
        QTest::newRow("header question count 0") << with(10, "0") << 10 << "outside 1..500";
        QTest::newRow("header question count 501") << with(10, "501") << 10 << "outside 1..500";
        QTest::newRow("category count not a number") << with(12, "one") << 12 << "category 1";
        QTest::newRow("sub-category count overflow") << with(14, "99999999999") << 14 << "not a number";
        QTest::newRow("question number not a number") << with(r, "1a") << r << "question number";
        QTest::newRow("category number 0") << with(r + 1, "0") << r + 1 << "category number";
        QTest::newRow("category number beyond the table") << with(r + 1, "2") << r + 1 << "outside 1..1";
        QTest::newRow("sub-category number 21") << with(r + 2, "21") << r + 2 << "outside 1..20";
        QTest::newRow("eleven stored choices") << with(r + 5, "11") << r + 5 << "stored choice count";
        QTest::newRow("no stored choices") << with(r + 5, "0") << r + 5 << "stored choice count";
        QTest::newRow("shown above stored") << with(r + 6, "3") << r + 6 << "outside 1..2";
        QTest::newRow("style 8") << with(r + 8, "8") << r + 8 << "answer style code";
        QTest::newRow("ends inside the header") << cut(6) << 7 << "the header";
        QTest::newRow("ends inside the category table") << cut(30) << 31 << "category table";
        QTest::newRow("ends before *CE") << cut(52) << 53 << "category table";
        QTest::newRow("ends inside the question text") << cut(r + 3) << r + 3 << "no \"*QE\"";
        QTest::newRow("ends inside a choice") << cut(r + 9) << r + 9 << "choice 1";
        QTest::newRow("ends inside the ignored lines")
            << cut(r + 25) << r + 26 << QString("record begun at line %1").arg(r);
        QTest::newRow("ends inside the explanation") << cut(r + 32) << r + 32 << "no \"*EE\"";
        QTest::newRow("ends inside the references") << cut(r + 40) << r + 41 << "record";
        {
            RawFile f = minimalFile();
            f.lines.back() = "";
            f.add("");
            QTest::newRow("empty line after a separator")
                << QByteArray::fromStdString(f.bytes()) << r + kRecordLines << "question number: \"\" is not a number";
        }
        {
            RawFile f = minimalFile(kMaxQuestions + 1);
            QTest::newRow("501 records") << QByteArray::fromStdString(f.bytes()) << r + kMaxQuestions * kRecordLines
                                         << "more than 500";
        }
        {
            RawFile f = minimalFile();
            f.lines[52] = "*CE";
            f.lines.erase(f.lines.begin() + 10, f.lines.begin() + 52);
            QTest::newRow("no categories") << QByteArray::fromStdString(f.bytes()) << 13 << "has none";
        }
        QTest::newRow("empty file") << QByteArray() << 1 << "empty";
    }

    void brokenFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, line);
        QFETCH(QString, message);
        auto bank = std::make_unique<QuestionBank>();
        const auto error = loadBytes(bytes.toStdString(), *bank);
        QVERIFY(error);
        QCOMPARE(error->file, QStringLiteral("t.qdf"));
        QVERIFY2(error->message.contains(message), qPrintable(error->text()));
        QCOMPARE(error->line, line);
        QVERIFY(error->text().startsWith(QStringLiteral("t.qdf:%1: ").arg(line)));
    }

    // Files other readers accept, read as written; later code never goes past the records read.
    void filesTheFormatAdmits_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("headerCount");
        QTest::addColumn<int>("records");
        QTest::addColumn<int>("correct"); // of record 1
        const int r = kFirstRecordLine;
        using Edits = std::vector<std::pair<int, const char*>>;
        auto with = [](int records, const Edits& edits) {
            RawFile f = minimalFile(records);
            for (const auto& [line, text] : edits)
                f.lines[size_t(line - 1)] = text;
            return QByteArray::fromStdString(f.bytes());
        };
        QTest::newRow("header count above records") << with(1, {{10, "2"}}) << 2 << 1 << 1;
        QTest::newRow("header count 500, three records") << with(3, {{10, "500"}}) << 500 << 3 << 1;
        QTest::newRow("header count below records") << with(3, {{10, "2"}}) << 2 << 3 << 1;
        QTest::newRow("correct above shown") << with(1, {{r + 6, "1"}, {r + 7, "2"}}) << 1 << 1 << 2;
        QTest::newRow("correct above stored") << with(1, {{r + 7, "9"}}) << 1 << 1 << 9;
        RawFile noRecords = minimalFile(1);
        noRecords.lines.resize(size_t(r - 1));
        QTest::newRow("no records after the table") << QByteArray::fromStdString(noRecords.bytes()) << 1 << 0 << 0;
    }

    void filesTheFormatAdmits()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, headerCount);
        QFETCH(int, records);
        QFETCH(int, correct);
        auto bank = std::make_unique<QuestionBank>();
        // A stale bank from an earlier load must not show through the missing records.
        QCOMPARE(loadBytes(minimalFile(5).bytes(), *bank), std::nullopt);
        const auto error = loadBytes(bytes.toStdString(), *bank);
        QVERIFY2(!error, error ? qPrintable(error->text()) : "");
        QCOMPARE(bank->headerQuestionCount, headerCount);
        QCOMPARE(bank->recordsRead, records);
        QCOMPARE(bank->questionCount, std::min(headerCount, records));
        QCOMPARE(bank->question(1).correctCount, correct);
        for (int j = records + 1; j <= 5; ++j)
            QCOMPARE(bank->question(j).text, std::string());
    }

    void missingFile()
    {
        testsupport::TempInstall install;
        const QString path = install.root() + QStringLiteral("QDAT/none.qdf");
        auto bank = std::make_unique<QuestionBank>();
        auto error = LoadQuestionBank(path, *bank);
        QVERIFY(error);
        QCOMPARE(error->line, 0);
        QVERIFY(error->text().startsWith(path + QStringLiteral(": ")));
        QuestionHeader header;
        QVERIFY(ReadQuestionHeader(path, header, true));
        std::vector<CategoryNames> names;
        QVERIFY(ReadCategoryTable(path, names));
    }

    void fileNamesMatchWithoutCase()
    {
        testsupport::TempInstall install;
        install.writeFile(QStringLiteral("QDAT/cisco/NET.QDF"), minimalFile().bytes());
        auto bank = std::make_unique<QuestionBank>();
        QCOMPARE(LoadQuestionBank(install.questionDir(QStringLiteral("cisco")) + QStringLiteral("net.qdf"), *bank),
                 std::nullopt);
        QCOMPARE(bank->recordsRead, 1);
    }

    void reloadingClearsThePreviousBank()
    {
        auto bank = std::make_unique<QuestionBank>();
        QCOMPARE(loadBytes(minimalFile(3).bytes(), *bank), std::nullopt);
        QCOMPARE(bank->recordsRead, 3);
        RawFile f = minimalFile(1);
        f.lines[size_t(kFirstRecordLine + 33)] = "Null"; // the first reference text line
        f.lines[size_t(kFirstRecordLine + 34)] = "7";
        QCOMPARE(loadBytes(f.bytes(), *bank), std::nullopt);
        QCOMPARE(bank->recordsRead, 1);
        QCOMPARE(bank->question(1).references[0].page, std::string("7"));
        QCOMPARE(bank->question(2).text, std::string());
        QCOMPARE(bank->question(2).references[0].page, std::string("0"));
    }
};

QUARVEL_TEST_MAIN(TestQuestionFile)
#include "TestQuestionFile.moc"
