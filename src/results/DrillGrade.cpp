#include "results/DrillGrade.h"

fsrs::Grade DrillGrade(const DrillAnswerFacts& answer)
{
    if (!answer.correct)
        return fsrs::Grade::Again;
    if (answer.explanationOpened)
        return fsrs::Grade::Hard;
    const long long average = answer.averageSeconds;
    if (average <= 0)
        return fsrs::Grade::Good;
    const long long seconds = answer.seconds;
    if (seconds > 2 * average)
        return fsrs::Grade::Hard;
    if (3 * seconds < average)
        return fsrs::Grade::Easy;
    return fsrs::Grade::Good;
}
