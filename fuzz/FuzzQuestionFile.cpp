// The question data file from any bytes: the scrambling routine, the header and bank readers, the
// checker, and the draw over whatever bank was read.
#include "FuzzCheck.h"

#include "bank/QuestionFile.h"
#include "bank/QuestionFileCheck.h"
#include "session/SelectQuestion.h"

#include <string>
#include <string_view>

namespace
{

// Bank-sized structures live as long as the harness, as the program keeps its one bank; every
// load must clear what the previous input left.
QuestionBank& bank()
{
    static auto* b = new QuestionBank;
    return *b;
}

SessionTable& table()
{
    static auto* t = new SessionTable;
    return *t;
}

void checkBank(const QuestionBank& b)
{
    FUZZ_CHECK(b.recordsRead >= 0 && b.recordsRead <= kMaxQuestions);
    FUZZ_CHECK(b.questionCount >= 0 && b.questionCount <= b.recordsRead);
    FUZZ_CHECK(b.categoryCount >= 0 && b.categoryCount <= kMaxCategories);
    for (int j = 1; j <= b.recordsRead; ++j) {
        const QuestionRecord& r = b.question(j);
        FUZZ_CHECK(r.category >= 1 && r.category <= b.categoryCount);
        FUZZ_CHECK(r.subCategory >= 1 && r.subCategory <= kMaxSubCategories);
        FUZZ_CHECK(r.storedChoiceCount >= 1 && r.storedChoiceCount <= kMaxChoices);
        FUZZ_CHECK(r.shownChoiceCount >= 1 && r.shownChoiceCount <= r.storedChoiceCount);
        FUZZ_CHECK(r.correctCount >= 0);
        FUZZ_CHECK(r.style >= kStyleSingle && r.style <= kStyleConnector);
    }
}

// Every question of every category ticked, as many asked as the table claims.
void checkDraw(const QuestionBank& b, int mode, unsigned seed)
{
    SessionSettings settings;
    settings.mode = mode;
    for (auto& category : settings.checked)
        category.fill(true);
    settings.availableCount = kMaxQuestions;
    settings.questionCount = kMaxQuestions;
    std::array<std::uint8_t, kMaxQuestions> weights{};
    for (size_t i = 0; i < weights.size(); ++i)
        weights[i] = std::uint8_t(seed + i * 7);
    unsigned state = seed;
    const DrawRandom random = [&state](int n) {
        state = state * 1103515245u + 12345u;
        return int((state >> 8) % unsigned(n > 0 ? n : 1)) + 1;
    };
    SessionTable& t = table();
    SelectQuestion(b, settings, weights, random, t);
    FUZZ_CHECK(t.count >= 0 && t.count <= b.questionCount);
    for (int j = 1; j <= t.count; ++j) {
        const SessionQuestion& q = t.question(j);
        FUZZ_CHECK(q.bankIndex >= 1 && q.bankIndex <= b.questionCount);
        FUZZ_CHECK(q.shownChoiceCount <= q.storedChoiceCount && q.correctCount <= q.shownChoiceCount);
        int keys = 0;
        for (unsigned char k : q.keyFlags)
            keys += k;
        FUZZ_CHECK(keys == q.correctCount);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const QString name = QStringLiteral("fuzz.qdf");

    // Length kept and its own inverse, for any bytes at all.
    const std::string once = ScrambleLine(bytes);
    FUZZ_CHECK(once.size() == bytes.size());
    FUZZ_CHECK(ScrambleLine(once) == bytes);

    QuestionHeader header;
    const auto headerError = ReadQuestionHeaderFromBytes(bytes, name, header);
    static auto* lines = new QuestionFileLines;
    const auto error = LoadQuestionBankFromBytes(bytes, name, bank(), lines);
    if (error) {
        FUZZ_CHECK(bank().questionCount <= bank().recordsRead);
        return 0;
    }
    FUZZ_CHECK(!headerError);
    FUZZ_CHECK(header.questionCount == bank().headerQuestionCount);
    checkBank(bank());

    CheckQuestionBank(bank(), *lines, header, name);
    // One draw per input keeps the runs fast; the length picks the mode.
    checkDraw(bank(), size % 2 ? kModeNormal : kModeTraining, unsigned(size));
    return 0;
}
