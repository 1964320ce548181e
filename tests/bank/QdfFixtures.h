#pragma once
// Question data files written line by line for the bank tests, as an author's tool would.
#include "bank/Cp932.h"
#include "bank/QuestionFile.h"

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace qdffixtures
{

inline std::string sj(const char* utf8)
{
    return cp932::fromUtf8(utf8);
}

// A small but complete test: two categories, three records of different shapes.
inline std::unique_ptr<QuestionBank> sampleBank(QuestionHeader& header)
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

// A question data file written line by line, as an author's tool would; text lines given plain.
struct RawFile {
    std::vector<std::string> lines;

    void add(std::string line) { lines.push_back(std::move(line)); }
    void text(std::string_view plain) { lines.push_back(ScrambleLine(plain)); }
    std::string bytes(std::string_view eol = "\r\n") const
    {
        std::string out;
        for (const std::string& line : lines) {
            out += line;
            out += eol;
        }
        return out;
    }
};

constexpr int kRecordLines = 47; // lines of one record with single-line text, two choices, its separator

inline void addCategory(RawFile& f, const std::string& name, int subs)
{
    f.text(name);
    f.add(std::to_string(subs));
    for (int k = 1; k <= kMaxSubCategories; ++k) {
        f.text(k <= subs ? name + "-" + std::to_string(k) : "");
        f.add(k <= subs ? "1" : "0");
    }
}

inline void addRecord(RawFile& f, int number, bool last)
{
    f.add(std::to_string(number));
    f.add("1");
    f.add("1");
    f.text("Question " + std::to_string(number));
    f.add("*QE");
    f.add("2");
    f.add("2");
    f.add("1");
    f.add("1");
    f.text("Right");
    f.add("*AE");
    f.text("Wrong");
    f.add("*AE");
    for (int k = 0; k < 8; ++k)
        f.add("*AE");
    for (int k = 0; k < 11; ++k)
        f.add("");
    f.text("Because.");
    f.add("*EE");
    for (int k = 0; k < 4; ++k) {
        f.add("Null");
        f.add("Null");
    }
    for (int k = 0; k < 4; ++k)
        f.add("");
    f.add(last ? "*EOF" : "");
}

// Header, `categories` categories (the table closed by "*CE" below fifty), `records` records.
inline RawFile minimalFile(int records = 1, int categories = 1)
{
    RawFile f;
    f.add(kFormatTag);
    f.add("1/60");
    f.add("10");
    f.add("QV-1");
    f.add("Title");
    f.add("0");
    f.add("0");
    f.add("0");
    f.add("20260101000000");
    f.add(std::to_string(std::min(records, kMaxQuestions)));
    for (int c = 1; c <= categories; ++c)
        addCategory(f, "Cat" + std::to_string(c), 1);
    if (categories < kMaxCategories)
        f.add("*CE");
    for (int j = 1; j <= records; ++j)
        addRecord(f, j, j == records);
    return f;
}

} // namespace qdffixtures
