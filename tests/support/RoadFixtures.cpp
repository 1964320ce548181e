#include "support/RoadFixtures.h"

#include "bank/Cp932.h"
#include "bank/QuestionFileWriter.h"

#include <memory>

namespace testsupport::road
{

QString writeTest(const TempInstall& install, const QString& relativePath, int multiple, const std::string& code)
{
    QuestionHeader header;
    header.formatTag = kFormatTag;
    header.mockCount = kQuestions;
    header.targetRate = "70";
    header.code = code;
    header.title = cp932::fromUtf8("道のりテスト");
    header.updated = "20261201090000";
    header.questionCount = kQuestions;

    auto bank = std::make_unique<QuestionBank>();
    bank->mockCount = kQuestions;
    bank->mockMinutes = 10;
    bank->questionCount = kQuestions;
    bank->categoryCount = 3;
    for (int c = 1; c <= 3; ++c) {
        bank->category(c).name = cp932::fromUtf8("分野") + std::to_string(c);
        bank->category(c).questionCount = 2;
        bank->category(c).sub(1) = {"sub", 2};
    }
    for (int j = 1; j <= kQuestions; ++j) {
        QuestionRecord& r = bank->question(j);
        const bool many = j > kQuestions - multiple;
        r.number = 100 + j;
        r.category = categoryOf(j);
        r.subCategory = 1;
        r.text = "Question " + std::to_string(j);
        r.storedChoiceCount = 3;
        r.shownChoiceCount = 3;
        r.correctCount = many ? 2 : 1;
        r.style = many ? kStyleMultiple : kStyleSingle;
        r.choices[0] = "right";
        r.choices[1] = many ? "also right" : "wrong one";
        r.choices[2] = "wrong two";
        r.explanation = "\r\nbecause";
    }
    bank->recordsRead = kQuestions;
    return install.writeFile(relativePath, QuestionFileBytes(header, *bank));
}

std::string expectedHistory(const QString& questionFile, const History& h)
{
    std::string bytes(kHistorySize, '\0');
    bytes.replace(0, 4, ".HIS");
    std::string name = cp932::fromUnicode(questionFile).substr(0, 508);
    name.resize(508, '\x0B');
    bytes.replace(4, 508, name);
    for (int r = 0; r < 10; ++r) {
        const AttemptRecord& a = h.attempts[size_t(r)];
        const int v[9] = {a.minutes, a.month, a.day, a.hour, a.minute, a.rate, a.mode, a.questionCount, 0};
        for (int b = 0; b < 9; ++b)
            bytes[size_t(512 + r * 9 + b)] = char(v[b]);
    }
    bytes[602] = char(h.best);
    bytes[603] = char(h.average);
    for (int c = 0; c < 50; ++c)
        for (int b = 0; b < 7; ++b)
            bytes[size_t(608 + c * 7 + b)] = char(h.categories[size_t(c)][size_t(b)]);
    bytes[958] = bytes[959] = char(0xFF);
    for (int k = 0; k < 500; ++k) {
        bytes[size_t(960 + k)] = char(h.correct[size_t(k)]);
        bytes[size_t(1460 + k)] = char(h.wrong[size_t(k)]);
    }
    return bytes;
}

AttemptRecord record(int minutes, const QDateTime& when, int rate, int mode, int questionCount)
{
    return {minutes, when.date().month(), when.date().day(), when.time().hour(), when.time().minute(), rate,
            mode,    questionCount};
}

} // namespace testsupport::road
