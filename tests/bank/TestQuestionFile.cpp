#include "bank/Cp932.h"
#include "bank/QuestionFile.h"
#include "bank/QuestionFileWriter.h"
#include "support/TestSupport.h"

#include <memory>

namespace {

std::string sj(const char* utf8)
{
    return cp932::fromUtf8(utf8);
}

// A small but complete test: two categories, three records of different shapes.
std::unique_ptr<QuestionBank> sampleBank(QuestionHeader& header)
{
    header = QuestionHeader{};
    header.formatTag = kFormatTag;
    header.mockCount = 2;
    header.targetRate = "70";
    header.code = sj("QV-101 : データベース基礎");
    header.title = sj("データベース基礎 模擬試験");
    header.badges = {true, false, false, false, true};
    header.updated = "20260301120000";
    header.questionCount = 3;

    auto bank = std::make_unique<QuestionBank>();
    bank->mockMinutes = 30;
    bank->categoryCount = 2;
    bank->category(1).name = sj("ＳＱＬ");
    bank->category(1).questionCount = 2;
    bank->category(1).sub(1) = {sj("SELECT文"), 1};
    bank->category(1).sub(2) = {sj("結合"), 1};
    bank->category(2).name = sj("ネットワーク～基礎");
    bank->category(2).questionCount = 1;
    bank->category(2).sub(1) = {sj("ＴＣＰ／ＩＰ①"), 1};

    QuestionRecord& q1 = bank->question(1);
    q1.number = 1;
    q1.category = 1;
    q1.subCategory = 1;
    q1.text = sj("次のSQL文のうち、正しいものを選びなさい。\r\n\r\nSELECT * FROM emp;");
    q1.storedChoiceCount = 4;
    q1.shownChoiceCount = 3;
    q1.correctCount = 1;
    q1.style = kStyleSingle;
    q1.choices[0] = sj("行を取り出す");
    q1.choices[1] = sj("表を削除する");
    q1.choices[2] = sj("ｶﾀｶﾅ");
    q1.choices[3] = "abcXYZ@123";
    q1.explanation = sj("\r\nSELECTは問い合わせです。\r\n\r\n詳しくは第3章。");
    q1.references[0] = {sj("『データベース入門』"), "45"};
    q1.links[0] = {sj("解説ページ"), "http://example.org/qv101/1.htm"};

    QuestionRecord& q2 = bank->question(2);
    q2.number = 2;
    q2.category = 1;
    q2.subCategory = 2;
    q2.text = sj("内部結合について正しいものを二つ選びなさい。");
    q2.storedChoiceCount = 10;
    q2.shownChoiceCount = 5;
    q2.correctCount = 2;
    q2.style = kStyleMultiple;
    for (int k = 0; k < 10; ++k)
        q2.choices[size_t(k)] = sj("選択肢") + std::to_string(k + 1);
    q2.explanation = "\r\n";
    q2.references[3] = {"Only text", "0"};

    QuestionRecord& q3 = bank->question(3);
    q3.number = 30;
    q3.category = 2;
    q3.subCategory = 1;
    q3.text = sj("<INCLUDE IMG>@net1.jpg\r\n図を見て答えなさい。");
    q3.storedChoiceCount = 1;
    q3.shownChoiceCount = 1;
    q3.correctCount = 1;
    q3.style = kStyleTextEntry;
    q3.choices[0] = "a@ping";
    q3.links[1] = {"CD", sj("教材\\net\\index.htm")};

    bank->recordsRead = 3;
    bank->questionCount = 3;
    bank->mockCount = 2;
    return bank;
}

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

} // namespace

class TestQuestionFile : public QObject {
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
};

QUARVEL_TEST_MAIN(TestQuestionFile)
#include "TestQuestionFile.moc"
