#include "results/Scoring.h"

#include "results/HistoryFile.h"

#include <algorithm>

int RatePercent(int count, int total)
{
    if (total <= 0)
        return 0;
    return count * 100 / total;
}

bool JudgeAnswer(const SessionQuestion& question, const AnswerRecord& answer)
{
    // Never the style: answer style screens reduce their verdict to ordinary flags.
    return question.keyFlags == answer.answerFlags;
}

AttemptScore ScoreAttempt(const SessionTable& questions, const AnswerTable& answers, int questionCount,
                          int elapsedSeconds, const AttemptStamp& stamp)
{
    AttemptScore score;
    score.questionCount = std::clamp(questionCount, 0, kMaxQuestions);
    for (int r = 1; r <= score.questionCount; ++r) {
        const bool right = JudgeAnswer(questions.question(r), answers.at(r));
        score.verdicts[size_t(r - 1)] = right ? 1 : 0;
        if (right)
            ++score.correctCount;
    }
    score.rate = RatePercent(score.correctCount, score.questionCount);
    score.level = LevelFor(score.rate);
    const int seconds = std::max(elapsedSeconds, 0);
    score.elapsedMinutes = seconds / 60;
    score.elapsedSeconds = seconds % 60;
    score.stamp = stamp;
    return score;
}

char LevelFor(int rate)
{
    char level = 'E';
    if (rate >= 25)
        level = 'D';
    if (rate >= 51)
        level = 'C';
    if (rate >= 71)
        level = 'B';
    if (rate >= 81)
        level = 'A';
    return level;
}

std::string LevelText(char level, const std::array<std::string, 5>& texts)
{
    if (level < 'A' || level > 'E')
        return texts[4];
    return texts[size_t(level - 'A')];
}

QString LevelSound(char level)
{
    switch (level) {
    case 'A':
        return QStringLiteral("wav/Excellent.wav");
    case 'B':
        return QStringLiteral("wav/Good.wav");
    case 'C':
        return QStringLiteral("wav/Soso.wav");
    case 'D':
        return QStringLiteral("wav/Bad.wav");
    default:
        return QStringLiteral("wav/Ouch.wav");
    }
}

CategoryTally TallyCategories(const SessionTable& questions, const AttemptScore& score, int categoryCount)
{
    CategoryTally tally;
    for (int r = 1; r <= score.questionCount; ++r) {
        const int c = questions.question(r).category;
        if (c < 1 || c > kMaxCategories)
            continue;
        if (score.verdict(r))
            ++tally.correct[size_t(c - 1)];
        else
            ++tally.wrong[size_t(c - 1)];
    }
    const int rated = std::clamp(categoryCount, 0, kMaxCategories);
    for (int c = 1; c <= kMaxCategories; ++c) {
        const size_t i = size_t(c - 1);
        const int asked = tally.correct[i] + tally.wrong[i];
        tally.rates[i] = (c > rated || asked == 0) ? kCategoryNotAsked : RatePercent(tally.correct[i], asked);
    }
    return tally;
}

void AddToQuestionTally(const SessionTable& questions, const AttemptScore& score,
                        std::array<int, kMaxQuestions>& correct, std::array<int, kMaxQuestions>& wrong)
{
    for (int r = 1; r <= score.questionCount; ++r) {
        const int j = questions.question(r).bankIndex;
        if (j < 1 || j > kMaxQuestions)
            continue;
        int& count = score.verdict(r) ? correct[size_t(j - 1)] : wrong[size_t(j - 1)];
        count = std::min(count + 1, kHistoryByteMax);
    }
}
