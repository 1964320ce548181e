// The history file from any bytes: parsing, recording an attempt on top of what was read, and
// writing it back, which must read again as written.
#include "FuzzCheck.h"

#include "results/HistoryFile.h"
#include "results/Recording.h"
#include "results/Scoring.h"

#include <string>
#include <string_view>

namespace
{

bool sameHistory(const History& a, const History& b)
{
    for (size_t k = 0; k < a.attempts.size(); ++k) {
        const AttemptRecord& x = a.attempts[k];
        const AttemptRecord& y = b.attempts[k];
        if (x.minutes != y.minutes || x.month != y.month || x.day != y.day || x.hour != y.hour ||
            x.minute != y.minute || x.rate != y.rate || x.mode != y.mode || x.questionCount != y.questionCount)
            return false;
    }
    return a.best == b.best && a.average == b.average && a.categories == b.categories && a.correct == b.correct &&
           a.wrong == b.wrong;
}

bool inByteRange(const History& h)
{
    auto ok = [](int v) { return v >= 0 && v <= kHistoryByteMax; };
    for (const AttemptRecord& a : h.attempts)
        for (int v : {a.minutes, a.month, a.day, a.hour, a.minute, a.rate, a.mode, a.questionCount})
            if (!ok(v))
                return false;
    for (const auto& c : h.categories)
        for (int v : c)
            if (!ok(v))
                return false;
    for (size_t q = 0; q < h.correct.size(); ++q)
        if (!ok(h.correct[q]) || !ok(h.wrong[q]))
            return false;
    return ok(h.best) && ok(h.average);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const History loaded = ParseHistory(bytes);
    FUZZ_CHECK(inByteRange(loaded));

    const std::string name = size >= 512 ? std::string(bytes.substr(4, 508)) : std::string();
    const std::string written = HistoryBytes(loaded, name);
    FUZZ_CHECK(written.size() == size_t(kHistorySize));
    FUZZ_CHECK(sameHistory(ParseHistory(written), loaded));

    // One attempt of three questions recorded on top of whatever was read.
    static auto* session = new SessionTable;
    session->count = 3;
    for (int j = 1; j <= 3; ++j) {
        session->question(j).bankIndex = 1 + int((size + size_t(j) * 97) % 500);
        session->question(j).category = j;
    }
    static auto* answers = new AnswerTable;
    const int categoryCount = int(size % 60);
    const AttemptScore score = ScoreAttempt(*session, *answers, 3, int(size % 100000), {});
    const CategoryTally categories = TallyCategories(*session, score, categoryCount);
    const History next = AppendAttempt(loaded, score, categories, *session, 1 + int(size % 3), categoryCount);
    const History reread = ParseHistory(HistoryBytes(next, name));
    FUZZ_CHECK(inByteRange(reread));
    return 0;
}
